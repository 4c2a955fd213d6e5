#pragma once

#include "model/SpectrumAverage.h"

#include <QList>
#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QPoint;

namespace velmora {

struct AppContext;
class DocumentFiles;
class SpectrumDocument;

/**
 * The window's side of the comparison set: adding files to it (the Compare With dialog, a drop with
 * Ctrl held, the command line), saving and opening comparison lists, the commands on its spectra
 * (hide, show, remove, make one the edited spectrum) and averaging the shown ones into the edited
 * spectrum. Averaging and making edited are undoable edits of the document; the set itself is no
 * part of the undo history and no data file keeps it. The set follows the edited spectrum's band set.
 */
class ComparisonFiles : public QObject
{
    Q_OBJECT

public:
    ComparisonFiles(QMainWindow& window, AppContext& context, SpectrumDocument& document,
                    DocumentFiles& files);

    /** Runs the open dialog (several data files or comparison lists at once) and adds what was chosen. */
    void CompareWithClick();
    /** Runs the save dialog and writes the set's files as a comparison list, one path a line. */
    void SaveComparisonClick();
    /**
     * Adds data files, and the data files that comparison lists (".lst") name, in order. Those that
     * cannot be read, and those beyond a full set, are said in one message box when report is true,
     * else passed over. Returns how many spectra were added.
     */
    int AddFiles(const std::vector<std::string>& paths, bool report);

    /** The shown spectra's mean as the edited spectrum, one undoable step ("Average"). */
    void Average(MeanKind kind);
    /** Spectrum i as the edited spectrum, one undoable step ("Make Edited"). */
    void MakeEdited(int i);
    void SetShown(int i, bool shown);
    void Remove(int i);
    void SetAllShown(bool shown);
    void RemoveAll();

    /** Brings the set to the edited spectrum's band set; the window calls it before it draws. */
    void Follow();
    /**
     * Makes menu list the commands on spectrum i ("&Shown", "&Make Edited", "&Remove"), as the
     * Compare menu's submenus and the legend's pop-up menu do.
     */
    void FillSpectrumMenu(QMenu& menu, int i);
    /** Pops up the commands on spectrum i at a global position (the legend's menu). */
    void PopupSpectrumMenu(int i, const QPoint& at);
    /**
     * Ends menu with one submenu per spectrum ("&1 a.snd"), replacing those it put there before; the
     * Compare menu calls it as it opens.
     */
    void ListSpectra(QMenu& menu);

signals:
    /** The set changed: the graph and the Compare view follow. */
    void SetChanged();

private:
    void ShowFailures(const QStringList& failures);

    QMainWindow& m_window;
    AppContext& m_context;
    SpectrumDocument& m_document;
    DocumentFiles& m_files;
    QList<QAction*> m_spectrumItems;
    QString m_lastList;
};

} // namespace velmora
