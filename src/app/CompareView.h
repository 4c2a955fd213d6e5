#pragma once

#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QTableWidget;

namespace velmora {

struct AppContext;

/**
 * The Compare view of the ratings panel: one column per spectrum, the edited one first and then
 * the shown spectra of the comparison set, with each band's level and its difference from the
 * reference the user picks (the edited spectrum unless another is chosen), then every spectrum's
 * ratings as its data type has them. It reads the model and the set whenever it is refreshed while
 * it shows; it rates nothing itself.
 */
class CompareView : public QWidget
{
    Q_OBJECT

public:
    CompareView(AppContext& context, QWidget* parent);

    /** Re-reads the edited spectrum and the set; nothing while the view is hidden. */
    void Refresh();

    /** Reference picker: "Edited" (the edited spectrum), then the shown spectra by name. */
    QComboBox* Reference = nullptr;
    QTableWidget* Table = nullptr;
    /** Says how to add spectra while the set is empty. */
    QLabel* Hint = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillReferences();
    void SetCell(int row, int column, const QString& text, bool heading = false);

    AppContext& m_context;
    /** The reference by name: it stays picked while the set changes around it. */
    std::string m_reference;
    /** The column headings the table was last laid out for. */
    QStringList m_headings;
};

} // namespace velmora
