#pragma once

#include <QDialog>

class QTreeWidget;

namespace trundlex {

class LevelLibrary;
class LevelPreview;
class Match;
class ParCache;

// Lists the holes of the match (number, name, creator and, given the pars, the par as far as
// it is known yet) and previews the one selected.
class LevelsViewerDialog : public QDialog {
    Q_OBJECT

public:
    LevelsViewerDialog(const Match& match, const LevelLibrary& levels,
                       const ParCache* pars = nullptr, QWidget* parent = nullptr);

    // Each row's cells separated by tabs.
    QStringList rows() const;
    void selectRow(int row);
    LevelPreview* preview() const { return preview_; }

private:
    const Match& match_;
    const LevelLibrary& levels_;
    QTreeWidget* list_;
    LevelPreview* preview_;
};

}  // namespace trundlex
