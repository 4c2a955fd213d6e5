#pragma once

namespace velmora {

struct Command;

/** The commands of velmora-calc, each defined in a file of its own. */
extern const Command kRateCommand;
extern const Command kBandsCommand;
extern const Command kExplainCommand;
extern const Command kRenderCommand;
extern const Command kConvertCommand;
extern const Command kImportCommand;
extern const Command kEvalCommand;
extern const Command kAverageCommand;
extern const Command kCompareCommand;
extern const Command kReportCommand;

} // namespace velmora
