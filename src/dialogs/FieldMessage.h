#pragma once

#include <QObject>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace velmora {

class ExpressionParser;

/**
 * What is wrong with a field's text, or an empty text when nothing is: the evaluator's own
 * message for text that does not evaluate, else what refuse says of the value (empty for a
 * value that is taken).
 */
std::string FieldProblem(ExpressionParser& parser, const std::string& text,
                         const std::function<std::string(double)>& refuse = {});

/** The reason an increment is not taken as the level grid's step, empty when it is. */
std::string IncrementProblem(double increment);
/** The reason a level is not taken (one beyond single precision), empty when it is. */
std::string LevelProblem(double level);

/**
 * Keeps a message label beside a field up to date as the field's text changes: the field's
 * problem in the label (shown), or the label hidden when there is none. Nothing is changed in
 * what the dialog does with the value; the message only says what will happen to it.
 */
void WatchField(QLineEdit* field, QLabel* message, ExpressionParser& parser,
                std::function<std::string(double)> refuse = {});

} // namespace velmora
