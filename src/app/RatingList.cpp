#include "app/RatingList.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

enum GridColumn { NameColumn, ValueColumn, BandColumn, ToggleColumn, GridColumns };

QLabel* SelectableLabel(QWidget* parent, bool bold)
{
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

/** The governing band as the list writes it: empty when no band governs. */
QString BandText(int band)
{
    return band < 0 ? QString() : QString::fromStdString(BandName(band));
}

} // namespace

std::array<QWidget*, 5> RatingList::Row::Parts() const
{
    return {name, value, band, toggle, advice};
}

RatingList::RatingList(QWidget* parent, bool impactFolded) : QWidget(parent), m_impactFolded(impactFolded)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_notRated = new QLabel(QStringLiteral("Correction factors are not rated: the ratings read levels "
                                           "(pressure, power or intensity) and attenuations."),
                            this);
    m_notRated->setObjectName(QStringLiteral("NotRated"));
    m_notRated->setWordWrap(true);
    m_notRated->hide();
    layout->addWidget(m_notRated);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(1);
    m_grid->setColumnStretch(GridColumns, 1);
    layout->addLayout(m_grid);

    m_impactHeader = new QToolButton(this);
    m_impactHeader->setObjectName(QStringLiteral("ImpactRatingsHeader"));
    m_impactHeader->setText(QStringLiteral("Impact ratings"));
    m_impactHeader->setToolTip(QStringLiteral("Fold or unfold the impact ratings and their columns"));
    m_impactHeader->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_impactHeader->setAutoRaise(true);
    m_impactHeader->hide();
    connect(m_impactHeader, &QToolButton::clicked, this, [this] { SetImpactFolded(!m_impactFolded); });

    m_adviceBox = new QWidget(this);
    m_adviceLayout = new QVBoxLayout(m_adviceBox);
    m_adviceLayout->setContentsMargins(0, 0, 0, 0);
    m_adviceLayout->setSpacing(2);
}

void RatingList::Show(const std::vector<RatingLine>& lines, RatingCurve shown, bool rated)
{
    if (m_notRated->isHidden() == !rated)
        m_notRated->setHidden(rated);
    bool same = lines.size() == m_rows.size();
    for (std::size_t i = 0; same && i < lines.size(); ++i)
        same = lines[i].name == m_rows[i].shown.name;
    if (!same)
        Rebuild(lines);
    for (std::size_t i = 0; i < lines.size(); ++i)
        ShowLine(m_rows[i], lines[i], shown);
}

void RatingList::Rebuild(const std::vector<RatingLine>& lines)
{
    for (Row& row : m_rows)
        for (QWidget* part : row.Parts())
            if (part) {
                part->hide();
                part->deleteLater();
            }
    m_rows.clear();
    m_grid->removeWidget(m_impactHeader);
    m_impactHeader->hide();

    // Terms go two to a row, in the places of a rating's band and toggle; ratings take a row each.
    int gridRow = 0;
    bool halfRow = false;
    for (const RatingLine& line : lines) {
        if (halfRow && (!line.term || line.group != m_rows.back().shown.group)) {
            halfRow = false;
            ++gridRow;
        }
        if (line.group == RatingGroup::Impact && m_impactHeader->isHidden()) {
            m_grid->addWidget(m_impactHeader, gridRow++, NameColumn, 1, GridColumns);
            m_impactHeader->show();
        }
        Row row;
        row.shown.name = line.name;
        row.shown.curve = line.curve;
        row.shown.group = line.group;
        row.shown.governingBand = -2; // no band yet, so that the first showing writes it
        row.name = new QLabel(QString::fromStdString(line.name), this);
        row.value = SelectableLabel(this, true);
        const int column = halfRow ? BandColumn : NameColumn;
        m_grid->addWidget(row.name, gridRow, column);
        m_grid->addWidget(row.value, gridRow, column + 1);
        if (line.term) {
            m_rows.push_back(row);
            gridRow += halfRow ? 1 : 0;
            halfRow = !halfRow;
            continue;
        }
        row.band = SelectableLabel(this, false);
        row.band->setToolTip(QStringLiteral("The band that governs the rating"));
        m_grid->addWidget(row.band, gridRow, BandColumn);
        if (line.curve != RatingCurve::None) {
            row.toggle = new QToolButton(this);
            row.toggle->setText(QStringLiteral("Curve"));
            row.toggle->setCheckable(true);
            row.toggle->setAutoRaise(true);
            row.toggle->setFocusPolicy(Qt::TabFocus);
            // As high as the labels beside it, so that a row with a toggle takes no more room.
            row.toggle->setMaximumHeight(row.value->sizeHint().height() + 2);
            row.toggle->setToolTip(
                QStringLiteral("Draw the %1 curve on the graph where it rates the spectrum (F3 "
                               "steps through the curves)")
                    .arg(QString::fromStdString(line.name)));
            const RatingCurve curve = line.curve;
            connect(row.toggle, &QToolButton::toggled, this,
                    [this, curve](bool on) { emit CurveChosen(on ? curve : RatingCurve::None); });
            m_grid->addWidget(row.toggle, gridRow, ToggleColumn);
        }
        if (!line.advice.empty()) {
            row.advice = SelectableLabel(m_adviceBox, false);
            row.advice->setWordWrap(true);
            m_adviceLayout->addWidget(row.advice);
        }
        m_rows.push_back(row);
        ++gridRow;
    }
    // Shown at once rather than when the layout gets round to it, so that folding finds them shown.
    for (Row& row : m_rows)
        for (QWidget* part : row.Parts())
            if (part)
                part->show();
    ShowFold();
}

void RatingList::ShowLine(Row& row, const RatingLine& line, RatingCurve shown)
{
    if (row.shown.value != line.value) {
        row.shown.value = line.value;
        row.value->setText(QString::fromStdString(line.value));
    }
    if (row.band && row.shown.governingBand != line.governingBand) {
        row.shown.governingBand = line.governingBand;
        row.band->setText(BandText(line.governingBand));
    }
    if (row.advice && row.shown.advice != line.advice) {
        row.shown.advice = line.advice;
        row.advice->setText(QString::fromStdString(line.advice));
    }
    if (row.toggle) {
        const bool on = line.curve == shown;
        if (row.toggle->isChecked() != on) {
            const QSignalBlocker blocker(row.toggle);
            row.toggle->setChecked(on);
        }
        // A rating without a value places no curve.
        row.toggle->setEnabled(line.value != "-");
    }
}

void RatingList::SetImpactFolded(bool folded)
{
    if (folded == m_impactFolded)
        return;
    m_impactFolded = folded;
    ShowFold();
    emit ImpactFoldedChanged(folded);
}

void RatingList::ShowFold()
{
    m_impactHeader->setArrowType(m_impactFolded ? Qt::RightArrow : Qt::DownArrow);
    for (Row& row : m_rows) {
        if (row.shown.group != RatingGroup::Impact)
            continue;
        for (QWidget* part : row.Parts())
            if (part)
                part->setHidden(m_impactFolded);
    }
}

int RatingList::RowOf(const std::string& name) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].shown.name == name)
            return static_cast<int>(i);
    return -1;
}

QLabel* RatingList::Value(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row].value : nullptr;
}

QLabel* RatingList::Band(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row].band : nullptr;
}

QAbstractButton* RatingList::CurveToggle(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row].toggle : nullptr;
}

QLabel* RatingList::Advice(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row].advice : nullptr;
}

QAbstractButton* RatingList::ImpactHeader() const
{
    return m_impactHeader->isHidden() ? nullptr : m_impactHeader;
}

} // namespace velmora
