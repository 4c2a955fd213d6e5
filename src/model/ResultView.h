#pragma once

#include <string>

namespace velmora {

/** Where the model writes its two text lines: the current node and the ratings. */
class ResultView
{
public:
    virtual ~ResultView() = default;

    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetResultText(const std::string& text) = 0;
};

} // namespace velmora
