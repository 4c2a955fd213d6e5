#include "dialogs/NodesForm.h"

#include "dialogs/ControlsFont.h"
#include "dialogs/FieldMessage.h"
#include "dialogs/NumericFields.h"
#include "edit/AppContext.h"
#include "edit/LevelEdit.h"
#include "edit/NodeEditing.h"
#include "edit/SpectrumEditor.h"
#include "edit/SpectrumEdits.h"
#include "model/SpectrumModel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace velmora {

namespace {

QLabel* MakeRightLabel(const QString& text, QWidget* parent, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TNodesForm::TNodesForm(AppContext& context, SpectrumEditor& editor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_context(context), m_editor(editor)
{
    setWindowTitle(QStringLiteral("Velmora: Edit Node"));
    setFont(ControlsFont());
    setModal(true);
    setFixedSize(266, 144);

    MainGroupBox = new QGroupBox(QStringLiteral(" Data Point X of X "), this);
    MainGroupBox->setGeometry(6, 4, 254, 80);
    Label7 = MakeRightLabel(QStringLiteral("Frequency:"), MainGroupBox, {6, 20, 64, 22});
    NodeXEdit = new QLineEdit(MainGroupBox);
    NodeXEdit->setGeometry(74, 20, 90, 22);
    NodeXEdit->setReadOnly(true);
    NodeXEdit->setEnabled(false);
    PrevButton = new QPushButton(QStringLiteral("<< &Prev"), MainGroupBox);
    PrevButton->setGeometry(170, 19, 76, 24);
    AxisLabel = MakeRightLabel(QStringLiteral("&Level (dB):"), MainGroupBox, {6, 50, 64, 22});
    NodeYEdit = new QLineEdit(MainGroupBox);
    NodeYEdit->setGeometry(74, 50, 90, 22);
    NodeYEdit->setStatusTip(QStringLiteral("Y position of current cursor"));
    AxisLabel->setBuddy(NodeYEdit);
    NextButton = new QPushButton(QStringLiteral("&Next >>"), MainGroupBox);
    NextButton->setGeometry(170, 49, 76, 24);

    Label1 = new QLabel(QStringLiteral("Type:"), this);
    Label1->setGeometry(8, 90, 36, 22);
    TypeCombo = new QComboBox(this);
    TypeCombo->addItems({QStringLiteral("Sound Pressure Levels"),
                         QStringLiteral("Sound Power/Intensity Levels"),
                         QStringLiteral("Sound Attenuation Levels"), QStringLiteral("Correction Factors")});
    TypeCombo->setGeometry(46, 90, 214, 22);
    LevelMessage = new QLabel(this);
    LevelMessage->setGeometry(8, 117, 172, 22);
    WatchField(NodeYEdit, LevelMessage, m_context.Parser, [](double level) {
        return LevelProblem(level).empty() ? std::string()
                                           : std::string("Not a finite level; the node keeps its own.");
    });
    OKButton = new QPushButton(QStringLiteral("&Done"), this);
    OKButton->setGeometry(185, 116, 75, 24);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(false);
    PrevButton->setAutoDefault(false);
    NextButton->setAutoDefault(false);

    setTabOrder(NodeYEdit, NextButton);
    setTabOrder(NextButton, PrevButton);
    setTabOrder(PrevButton, TypeCombo);
    setTabOrder(TypeCombo, OKButton);

    connect(NextButton, &QPushButton::clicked, this, &TNodesForm::NextButtonClick);
    connect(PrevButton, &QPushButton::clicked, this, &TNodesForm::PrevButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &TNodesForm::OKButtonClick);
    // activated comes from the user only, so showing a node's type does not change it.
    connect(TypeCombo, &QComboBox::activated, this, &TNodesForm::TypeComboChange);
}

void TNodesForm::ShowNode(int index)
{
    TSpectrumModel& model = m_context.Model;
    if (index < 0)
        index = model.Nodes.Current;
    if (index < 0)
        index = 0;
    MainGroupBox->setTitle(QStringLiteral(" Data Point %1 of %2 ").arg(index + 1).arg(model.Nodes.Count));
    const TNode node = GetNode(model, index);
    SetControlFloat(NodeXEdit, "%0.0f Hz", static_cast<float>(AbscissaFrequency(node.X)));
    SetControlFloat(NodeYEdit, "%0.2f", node.Y);
    if (index != model.Nodes.Current)
        m_editor.Select(index);
    const int type = model.Nodes.DataType;
    TypeCombo->setCurrentIndex(IsDataType(type) ? type : -1);
    NextButton->setEnabled(index < model.Nodes.Count - 1);
    PrevButton->setEnabled(index > 0);
}

void TNodesForm::ApplyLevel()
{
    const TSpectrumModel& model = m_context.Model;
    const float level = EvaluateControl(m_context.Parser, NodeYEdit);
    // A level that is not finite has no place on the graph and no rating: the node keeps its level.
    if (std::isfinite(level))
        m_editor.Perform(MakeLevelEdit(model, level, LevelEditKind::Typed));
    SetControlFloat(NodeYEdit, "%0.2f", GetNode(model, model.Nodes.Current).Y);
}

void TNodesForm::StepNode(int delta)
{
    const int next = m_context.Model.Nodes.Current + delta;
    if (!ValidNode(m_context.Model, next))
        return;
    ApplyLevel();
    ShowNode(next);
}

void TNodesForm::NextButtonClick()
{
    StepNode(1);
}

void TNodesForm::PrevButtonClick()
{
    StepNode(-1);
}

void TNodesForm::OKButtonClick()
{
    ApplyLevel();
    // Enter while typing keeps the dialog open to go on with the field; a click on Done closes.
    if (!NodeYEdit->hasFocus())
        accept();
    else
        NodeYEdit->selectAll();
}

void TNodesForm::TypeComboChange(int index)
{
    m_editor.Perform(MakeDataTypeEdit(m_context.Model, index));
}

} // namespace velmora
