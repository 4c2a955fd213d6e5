#pragma once

#include <string>
#include <string_view>

namespace velmora {

/**
 * The text that the bytes of a file or clipboard hold, as UTF-8 without a byte-order mark, for
 * the readers of data files and tables. UTF-16 in either byte order (as some Windows editors save
 * text) is converted: after its byte-order mark, or without one when the text has an even
 * length and starts with an ASCII character, one zero byte and one other (a text in any 8-bit
 * encoding never does). Units that form no character (an unpaired surrogate, a last odd byte
 * after a byte-order mark) become U+FFFD. A UTF-8
 * byte-order mark is dropped; any other bytes are returned as they are, with no copy. The result
 * views either the bytes or converted, which must outlive it.
 */
std::string_view TextOfBytes(std::string_view bytes, std::string& converted);

} // namespace velmora
