#pragma once

#include "model/RatingCurve.h"

#include <QObject>

#include <iterator>
#include <memory>

class QAction;
class QMenu;

namespace velmora {

struct AppContext;
class RadioGroup;
class SpectrumDocument;

/**
 * The choice of the rating curve drawn on the graph: one radio item for each rating's curve and one
 * for none, and "Next Rating Curve" (F3), which steps through the curves of the edited spectrum's
 * data type and back to none. Only the curves of the ratings that rate that data type are enabled.
 * The choice is a view setting: it is no step of the undo history and no part of a data file.
 */
class RatingCurveActions : public QObject
{
    Q_OBJECT

public:
    RatingCurveActions(QObject* parent, AppContext& context, SpectrumDocument& document);
    ~RatingCurveActions() override;

    /** Adds the items to menu: none, the curves, then the next-curve item. */
    void AddTo(QMenu* menu);

    /** Shows curve on the graph (None: no curve) and announces the change; the panel and marks follow. */
    void Show(RatingCurve curve);
    /** The next curve of the data type after the one shown, none after the last. */
    void ShowNext();
    /** Puts the check mark on the curve shown and enables the curves of the data type. */
    void Update();

    /** The item of curve (None: "No Rating Curve"). */
    QAction* Item(RatingCurve curve) const;

private:
    AppContext& m_context;
    SpectrumDocument& m_document;
    std::unique_ptr<RadioGroup> m_items;
    QAction* m_none = nullptr;
    QAction* m_curves[std::size(kRatingCurves)] = {};
    QAction* m_next = nullptr;
};

} // namespace velmora
