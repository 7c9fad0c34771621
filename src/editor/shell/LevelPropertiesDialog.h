#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QSpinBox;

namespace trundlex {

// What the Level Properties dialog edits.
struct LevelProperties {
    static constexpr int MinSize = 2;
    // The largest new size; a level read from a file may be larger and keeps its size.
    static constexpr int MaxSize = 500;

    QString creator;
    QString name;
    int width = 20;
    int height = 20;
};

// The Level Properties dialog: creator, name, width and height. The size fields take only
// numbers from MinSize up to MaxSize or the size shown, whichever is larger, as they are typed;
// a field left incomplete (empty, or below the minimum) is refused on OK with a message, and
// the dialog stays open with the field selected.
class LevelPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    explicit LevelPropertiesDialog(const LevelProperties& values, QWidget* parent = nullptr);

    // The values as they stand in the fields.
    LevelProperties values() const;

    QLineEdit* creatorEdit() const { return creator_; }
    QLineEdit* nameEdit() const { return name_; }
    QSpinBox* widthEdit() const { return width_; }
    QSpinBox* heightEdit() const { return height_; }

    // Closes with OK only when both sizes lie within the range.
    void accept() override;

protected:
    // Tells the user why OK was refused; tests replace it to run without a modal box.
    virtual void refuse(const QString& message);

private:
    QLineEdit* creator_;
    QLineEdit* name_;
    QSpinBox* width_;
    QSpinBox* height_;
};

}  // namespace trundlex
