#pragma once

namespace velmora {

struct ReportRequest;

/**
 * Writes the report the request asks for: each input read as `rate` reads it, with one page per
 * file that can be read (ReportPage, on the paper of the process's locale) and each one that
 * cannot reported on standard error; the PDF then replaces the output whole. Returns the exit
 * status: 1 when any input could not be read or the output not written. Nothing is written when
 * no page could be drawn. Needs a QGuiApplication.
 */
int WriteReport(const ReportRequest& request);

} // namespace velmora
