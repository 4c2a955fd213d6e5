#include "dialogs/FieldMessage.h"

#include "entry/ExpressionParser.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace velmora {

std::string FieldProblem(ExpressionParser& parser, const std::string& text,
                         const std::function<std::string(double)>& refuse)
{
    const double value = parser.Evaluate(text);
    if (parser.GetError() != ExpressionParser::NoError)
        return parser.GetErrorText() + " Counts as 0.";
    return refuse ? refuse(value) : std::string();
}

std::string IncrementProblem(double increment)
{
    const float stored = ToStoredLevel(increment);
    if (!std::isfinite(stored))
        return "Not a finite increment; the current one is kept.";
    if (stored < kMinLevelIncrement)
        return "Below 0.01 dB; the current increment is kept.";
    return {};
}

std::string LevelProblem(double level)
{
    if (std::isfinite(ToStoredLevel(level)))
        return {};
    return "Not a finite level; the current one is kept.";
}

void WatchField(QLineEdit* field, QLabel* message, ExpressionParser& parser,
                std::function<std::string(double)> refuse)
{
    auto update = [field, message, &parser, refuse = std::move(refuse)] {
        const std::string problem = FieldProblem(parser, field->text().toStdString(), refuse);
        message->setText(QString::fromStdString(problem));
        message->setVisible(!problem.empty());
    };
    QObject::connect(field, &QLineEdit::textChanged, message, update);
    message->setStyleSheet(QStringLiteral("color: #b00000"));
    message->hide();
}

} // namespace velmora
