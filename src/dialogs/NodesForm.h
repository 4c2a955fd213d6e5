#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

struct AppContext;
class SpectrumEditor;

/**
 * The Edit Node dialog: shows one node of the edited spectrum at a time, takes a typed level
 * (any expression), steps to the previous or next node and changes the edited spectrum's data
 * type. Levels go to the editor as edits on Enter, Prev, Next and Done; the graph follows at once.
 */
class TNodesForm : public QDialog
{
    Q_OBJECT

public:
    /** editor takes the levels and data types typed here as edits (the document). */
    TNodesForm(AppContext& context, SpectrumEditor& editor, QWidget* parent);

    /** Fills the dialog for node index (-1: the current node, or the first) and makes it current. */
    void ShowNode(int index);
    /** Evaluates the level field into the current node; a level that is not finite is refused. */
    void ApplyLevel();

    void NextButtonClick();
    void PrevButtonClick();
    void OKButtonClick();
    void TypeComboChange(int index);

    QGroupBox* MainGroupBox = nullptr;
    QLineEdit* NodeYEdit = nullptr;
    QLabel* AxisLabel = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* PrevButton = nullptr;
    QPushButton* NextButton = nullptr;
    QLineEdit* NodeXEdit = nullptr;
    QComboBox* TypeCombo = nullptr;
    QLabel* Label1 = nullptr;
    /** Says when the typed level does not evaluate (it counts as 0) or is not taken. */
    QLabel* LevelMessage = nullptr;

private:
    /** Steps to the node next to the current one by delta, applying the typed level first. */
    void StepNode(int delta);

    AppContext& m_context;
    SpectrumEditor& m_editor;
};

} // namespace velmora
