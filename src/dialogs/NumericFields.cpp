#include "dialogs/NumericFields.h"

#include "entry/ExpressionParser.h"
#include "entry/NumberText.h"
#include "model/StoredLevel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace velmora {

float EvaluateControl(ExpressionParser& parser, const QLineEdit* control)
{
    return ToStoredLevel(parser.Evaluate(control->text().toStdString()));
}

void SetControlFloat(QWidget* control, const char* format, float value)
{
    const QString text = QString::fromStdString(FormatFloat(format, value));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else
        control->setWindowTitle(text);
}

void CenterControl(const QWidget* outer, QWidget* inner)
{
    const QRect o = outer->frameGeometry();
    const QRect i = inner->frameGeometry();
    const int left = o.left() + static_cast<int>(std::trunc((o.width() - i.width()) * 0.5));
    const int top = o.top() + static_cast<int>(std::trunc((o.height() - i.height()) * 0.5));
    inner->move(left, top);
}

} // namespace velmora
