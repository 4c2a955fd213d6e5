#include "dialogs/GraphForm.h"
#include "edit/GraphSetup.h"
#include "edit/SpectrumEditor.h"

#include "dialogs/ControlsFont.h"
#include "dialogs/FieldMessage.h"
#include "dialogs/NumericFields.h"
#include "edit/AppContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

TGraphForm::TGraphForm(AppContext& context, SpectrumEditor& editor, QWidget* parent)
    : QDialog(parent), m_context(context), m_editor(editor)
{
    setWindowTitle(QStringLiteral("Velmora: Graph Extents"));
    setFont(ControlsFont());
    setModal(true);
    resize(279, 107);

    struct Row {
        QLabel** label;
        QLineEdit** edit;
        const char* caption;
    };
    const Row rows[] = {
        {&Label1, &MaxLevelEdit, "Ma&ximum Level:"},
        {&Label2, &MinLevelEdit, "Mi&nimum Level:"},
        {&Label3, &IncLevelEdit, "&Increments:"},
    };
    int top = 6;
    for (const Row& row : rows) {
        *row.label = new QLabel(QString::fromLatin1(row.caption), this);
        (*row.label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*row.label)->setGeometry(4, top, 92, 22);
        *row.edit = new QLineEdit(this);
        (*row.edit)->setGeometry(100, top, 88, 22);
        (*row.label)->setBuddy(*row.edit);
        top += 26;
    }

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(198, 6, 75, 24);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(198, 36, 75, 24);
    CancelButton->setAutoDefault(false);

    // What becomes of a field's text is said under the fields while it is typed.
    FieldMessage = new QLabel(this);
    FieldMessage->setGeometry(4, 84, 271, 20);
    FieldMessage->setWordWrap(false);
    for (QLineEdit* field : {MaxLevelEdit, MinLevelEdit, IncLevelEdit})
        connect(field, &QLineEdit::textChanged, this, &TGraphForm::UpdateFieldMessage);
    FieldMessage->setStyleSheet(QStringLiteral("color: #b00000"));

    setTabOrder(MaxLevelEdit, MinLevelEdit);
    setTabOrder(MinLevelEdit, IncLevelEdit);
    setTabOrder(IncLevelEdit, CancelButton);
    setTabOrder(CancelButton, OKButton);

    connect(OKButton, &QPushButton::clicked, this, &TGraphForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TGraphForm::LoadExtents()
{
    const GraphExtents extents = GetGraphExtents(m_context.Model);
    SetControlFloat(MaxLevelEdit, "%0.2f", extents.MaxLevel);
    SetControlFloat(MinLevelEdit, "%0.2f", extents.MinLevel);
    SetControlFloat(IncLevelEdit, "%0.2f", extents.LevelIncrement);
}

void TGraphForm::UpdateFieldMessage()
{
    struct Check {
        const QLineEdit* field;
        const char* name;
        std::string (*refuse)(double);
    };
    const Check checks[] = {
        {MaxLevelEdit, "Maximum level: ", &LevelProblem},
        {MinLevelEdit, "Minimum level: ", &LevelProblem},
        {IncLevelEdit, "Increments: ", &IncrementProblem},
    };
    QString message;
    for (const Check& check : checks) {
        const std::string problem =
            FieldProblem(m_context.Parser, check.field->text().toStdString(), check.refuse);
        if (!problem.empty()) {
            message = QString::fromLatin1(check.name) + QString::fromStdString(problem);
            break;
        }
    }
    FieldMessage->setText(message);
}

void TGraphForm::OKButtonClick()
{
    const float maxLevel = EvaluateControl(m_context.Parser, MaxLevelEdit);
    const float minLevel = EvaluateControl(m_context.Parser, MinLevelEdit);
    const float increment = EvaluateControl(m_context.Parser, IncLevelEdit);
    SetGraphExtents(m_context.Model, m_context.Surface, minLevel, maxLevel, increment);
    m_editor.ViewChanged();
    accept();
}

} // namespace velmora
