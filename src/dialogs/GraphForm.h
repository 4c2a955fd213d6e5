#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

struct AppContext;
class SpectrumEditor;

/** The Graph Extents dialog: the top and bottom of the level axis and its grid step, in dB. */
class TGraphForm : public QDialog
{
    Q_OBJECT

public:
    /** editor hears of the new view (the document), which redraws the graph and the text lines. */
    TGraphForm(AppContext& context, SpectrumEditor& editor, QWidget* parent);

    /** Fills the fields from the model. */
    void LoadExtents();
    /**
     * Applies the three fields (expressions; unevaluable text counts as 0) and closes. Values
     * the model refuses (not finite, or an unusable increment) leave that extent as it was.
     */
    void OKButtonClick();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* MaxLevelEdit = nullptr;
    QLineEdit* MinLevelEdit = nullptr;
    QLineEdit* IncLevelEdit = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;
    /** The first field's problem (text that does not evaluate, a value refused), or empty. */
    QLabel* FieldMessage = nullptr;

private:
    void UpdateFieldMessage();

    AppContext& m_context;
    SpectrumEditor& m_editor;
};

} // namespace velmora
