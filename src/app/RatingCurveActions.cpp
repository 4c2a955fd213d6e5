#include "app/RatingCurveActions.h"

#include "app/RadioGroup.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"

#include <QAction>
#include <QMenu>

#include <iterator>

namespace velmora {

namespace {

/** Caption and object name of each curve's item, in the order of kRatingCurves. */
struct CurveItem {
    const char* name;
    const char* caption;
};
constexpr CurveItem kCurveItems[] = {
    {"RatingCurveNR", "&NR Curve"},
    {"RatingCurveNC", "N&C Curve"},
    {"RatingCurveLnw", "&Ln,w Reference Curve"},
    {"RatingCurveIIC", "&IIC Contour"},
    {"RatingCurveSTC", "&STC Contour"},
    {"RatingCurveE413", "STC (&E413) Contour"},
    {"RatingCurveRw", "R&w Reference Curve"},
};
static_assert(std::size(kCurveItems) == std::size(kRatingCurves));

} // namespace

RatingCurveActions::RatingCurveActions(QObject* parent, AppContext& context, SpectrumDocument& document)
    : QObject(parent), m_context(context), m_document(document), m_items(std::make_unique<RadioGroup>(this))
{
    const auto add = [this](const char* name, const char* caption, RatingCurve curve) {
        auto* item = new QAction(QString::fromUtf8(caption), this);
        item->setObjectName(QString::fromUtf8(name));
        m_items->Add(item);
        connect(item, &QAction::triggered, this, [this, curve] { Show(curve); });
        return item;
    };
    m_none = add("RatingCurveNone", "N&o Rating Curve", RatingCurve::None);
    m_none->setStatusTip(QStringLiteral("Draw no rating curve on the graph."));
    for (std::size_t i = 0; i < std::size(kRatingCurves); ++i) {
        m_curves[i] = add(kCurveItems[i].name, kCurveItems[i].caption, kRatingCurves[i]);
        m_curves[i]->setStatusTip(QStringLiteral(
            "Draw the curve where it rates the spectrum; ticks mark the bands that fall short."));
    }
    m_next = new QAction(QStringLiteral("Ne&xt Rating Curve"), this);
    m_next->setObjectName(QStringLiteral("NextRatingCurve"));
    m_next->setShortcut(Qt::Key_F3);
    m_next->setStatusTip(
        QStringLiteral("Draw the next rating curve of the data type, or none after the last."));
    connect(m_next, &QAction::triggered, this, &RatingCurveActions::ShowNext);
    // Whatever changed (the data type, by an edit or an undo, or the choice itself), the marks follow.
    connect(&document, &SpectrumDocument::Changed, this, &RatingCurveActions::Update);
    Update();
}

RatingCurveActions::~RatingCurveActions() = default;

void RatingCurveActions::AddTo(QMenu* menu)
{
    menu->addAction(m_none);
    for (QAction* item : m_curves)
        menu->addAction(item);
    menu->addSeparator();
    menu->addAction(m_next);
}

void RatingCurveActions::Show(RatingCurve curve)
{
    m_context.Model.ShownCurve = curve;
    // A view setting: the graph, the panel and the marks follow the announcement; the history
    // records nothing.
    m_document.ViewChanged();
}

void RatingCurveActions::ShowNext()
{
    const int type = m_context.Model.Nodes.DataType;
    const RatingCurve shown = m_context.Model.ShownCurve;
    // Past the one shown (from the start when none or another type's curve is shown) to the next
    // curve of the type; after the last, none.
    std::size_t i = 0;
    while (i < std::size(kRatingCurves) && kRatingCurves[i] != shown)
        ++i;
    i = i < std::size(kRatingCurves) && CurveRatesDataType(shown, type) ? i + 1 : 0;
    while (i < std::size(kRatingCurves) && !CurveRatesDataType(kRatingCurves[i], type))
        ++i;
    Show(i < std::size(kRatingCurves) ? kRatingCurves[i] : RatingCurve::None);
}

void RatingCurveActions::Update()
{
    const TSpectrumModel& model = m_context.Model;
    const int type = model.Nodes.DataType;
    for (std::size_t i = 0; i < std::size(kRatingCurves); ++i)
        m_curves[i]->setEnabled(CurveRatesDataType(kRatingCurves[i], type));
    m_next->setEnabled(IsRatedDataType(type));
    // A curve the data type does not rate is not drawn, so none is what shows.
    m_items->Check(Item(CurveRatesDataType(model.ShownCurve, type) ? model.ShownCurve : RatingCurve::None));
}

QAction* RatingCurveActions::Item(RatingCurve curve) const
{
    for (std::size_t i = 0; i < std::size(kRatingCurves); ++i)
        if (kRatingCurves[i] == curve)
            return m_curves[i];
    return m_none;
}

} // namespace velmora
