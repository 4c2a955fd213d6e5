#pragma once

class QLineEdit;
class QWidget;

namespace velmora {

class ExpressionParser;

/**
 * The field's text evaluated as an expression, narrowed to single precision (beyond its range:
 * ±infinity); 0 for text that does not evaluate. The field is not changed.
 */
float EvaluateControl(ExpressionParser& parser, const QLineEdit* control);

/**
 * Sets a field's text, a label's text or a group box's title to value formatted with a
 * printf-style "%0.Nf" format, in the "C" locale.
 */
void SetControlFloat(QWidget* control, const char* format, float value);

/** Moves inner so that its frame is centred on outer's frame; it may overhang a smaller outer. */
void CenterControl(const QWidget* outer, QWidget* inner);

} // namespace velmora
