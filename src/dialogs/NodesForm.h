#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

struct AppContext;
class ResultView;

/**
 * The Edit Node dialog: shows one node of the edited spectrum at a time, takes a typed level
 * (any expression), steps to the previous or next node and changes the edited spectrum's data
 * type. Levels go into the model on Enter, Prev, Next and Done; the graph follows at once.
 */
class TNodesForm : public QDialog
{
    Q_OBJECT

public:
    /** view receives the status and result lines (the main window). */
    TNodesForm(AppContext& context, ResultView* view, QWidget* parent);

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

signals:
    /** A level went into the model (Enter, Prev, Next or Done). */
    void LevelApplied();
    /** A data type was chosen in the list. */
    void DataTypeChosen();

private:
    /** Steps to the node next to the current one by delta, applying the typed level first. */
    void StepNode(int delta);
    /** Shows the edited spectrum's new state in the graph bitmap. */
    void RefreshGraph();

    AppContext& m_context;
    ResultView* m_view;
};

} // namespace velmora
