#include "app/CompareView.h"

#include "edit/AppContext.h"
#include "entry/NumberText.h"
#include "model/ComparisonTable.h"
#include "model/SpectrumModel.h"
#include "platform/LocalPath.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

/** The edited spectrum's column and its entry in the reference picker. */
constexpr char kEditedName[] = "Edited";

QString Text(const std::string& text)
{
    return PathFromLocal(text);
}

} // namespace

CompareView::CompareView(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("CompareView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Refere&nce:"), this);
    Reference = new QComboBox(this);
    Reference->setObjectName(QStringLiteral("CompareReference"));
    Reference->setToolTip(QStringLiteral("The differences are each spectrum's level minus this one's."));
    label->setBuddy(Reference);
    top->addWidget(label);
    top->addWidget(Reference, 1);
    layout->addLayout(top);

    Hint = new QLabel(QStringLiteral("Add spectra to compare with Compare With... in the File menu, or drop "
                                     "data files on the window with Ctrl held."),
                      this);
    Hint->setWordWrap(true);
    layout->addWidget(Hint);

    Table = new QTableWidget(this);
    Table->setObjectName(QStringLiteral("CompareTable"));
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::NoSelection);
    // Keys stay with the graph, as in the ratings table.
    Table->setFocusPolicy(Qt::NoFocus);
    Table->setWordWrap(false);
    const int rowHeight = QFontMetrics(Table->font()).height() + 4;
    Table->verticalHeader()->setMinimumSectionSize(rowHeight);
    Table->verticalHeader()->setDefaultSectionSize(rowHeight);
    layout->addWidget(Table, 1);

    connect(Reference, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_reference = index > 0 ? LocalPath(Reference->itemText(index)) : std::string();
        Refresh();
    });
}

void CompareView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void CompareView::FillReferences()
{
    QStringList names{QString::fromUtf8(kEditedName)};
    for (const ComparedSpectrum& spectrum : m_context.Comparison.Spectra())
        if (spectrum.shown)
            names << Text(spectrum.name);
    const int picked = m_reference.empty() ? 0 : static_cast<int>(names.indexOf(Text(m_reference)));
    if (picked < 0)
        m_reference.clear();
    QStringList shown;
    for (int i = 0; i < Reference->count(); ++i)
        shown << Reference->itemText(i);
    const QSignalBlocker blocker(Reference);
    if (shown != names) {
        Reference->clear();
        Reference->addItems(names);
    }
    Reference->setCurrentIndex(std::max(picked, 0));
}

void CompareView::SetCell(int row, int column, const QString& text, bool heading)
{
    QTableWidgetItem* item = Table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        Table->setItem(row, column, item);
    }
    if (item->text() != text)
        item->setText(text);
    item->setTextAlignment((heading ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

void CompareView::Refresh()
{
    if (!isVisible())
        return;
    const TSpectrumModel& model = m_context.Model;
    const ComparisonSet& set = m_context.Comparison;
    Hint->setVisible(set.Empty());
    FillReferences();

    const BandLevels edited = EditedLevels(model);
    const auto bands = static_cast<std::size_t>(BandCountOf(model));
    std::vector<TableSpectrum> spectra{
        {kEditedName, std::span(edited.data(), bands), model.Nodes.DataType, &model.Ratings}};
    // A set not yet in the edited spectrum's band set would put its levels on the wrong bands.
    if (set.Bands() == BandSetOf(model))
        for (const ComparedSpectrum& spectrum : set.Spectra())
            if (spectrum.shown)
                spectra.push_back({spectrum.name, std::span(spectrum.levels.data(), bands), spectrum.dataType,
                                   &spectrum.ratings});
    const ComparisonTable table =
        CompareSpectra(spectra, Reference->currentIndex(), model.BandStart, model.BandStep);

    QStringList headings{QStringLiteral("Hz")};
    std::vector<std::pair<std::size_t, bool>> columns; // spectrum, difference
    for (std::size_t s = 0; s < table.names.size(); ++s) {
        headings << Text(table.names[s]);
        columns.emplace_back(s, false);
        if (static_cast<int>(s) != table.reference) {
            headings << QStringLiteral("diff ") + Text(table.names[s]);
            columns.emplace_back(s, true);
        }
    }
    const int bandRows = static_cast<int>(table.bands.size());
    const int rows = bandRows + 1 + static_cast<int>(table.ratingNames.size());
    // The columns are fitted when they change, not on every step of a drag.
    const bool laidOut = headings == m_headings && Table->rowCount() == rows;
    if (!laidOut) {
        Table->setColumnCount(static_cast<int>(headings.size()));
        Table->setRowCount(rows);
        Table->setHorizontalHeaderLabels(headings);
        m_headings = headings;
    }

    for (int k = 0; k < bandRows; ++k) {
        SetCell(k, 0, QString::fromStdString(FixedText(BandFrequency[table.bands[k]], 0)));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto [s, difference] = columns[c];
            const double value = difference ? table.differences[k][s] : table.levels[k][s];
            SetCell(k, static_cast<int>(c) + 1, QString::fromStdString(ComparisonNumber(value, 1)));
        }
    }
    SetCell(bandRows, 0, QStringLiteral("Ratings"), true);
    for (std::size_t c = 0; c < columns.size(); ++c)
        SetCell(bandRows, static_cast<int>(c) + 1, QString());
    for (std::size_t r = 0; r < table.ratingNames.size(); ++r) {
        const int row = bandRows + 1 + static_cast<int>(r);
        SetCell(row, 0, Text(table.ratingNames[r]), true);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto [s, difference] = columns[c];
            SetCell(row, static_cast<int>(c) + 1, difference ? QString() : Text(table.ratingValues[r][s]));
        }
    }
    if (!laidOut) {
        Table->resizeColumnsToContents();
        // Room for any level, so that one growing during a drag is not cut.
        const int least = QFontMetrics(Table->font()).horizontalAdvance(QStringLiteral("-888.8")) + 8;
        for (int column = 1; column < Table->columnCount(); ++column)
            Table->setColumnWidth(column, std::max(Table->columnWidth(column), least));
    }
}

} // namespace velmora
