#pragma once

#include <QWidget>

#include "level/Level.h"
#include "render/BlockRenderer.h"

namespace trundlex {

// Shows one level as large as fits, centred; nothing until a level is set.
class LevelPreview : public QWidget {
public:
    explicit LevelPreview(QWidget* parent = nullptr);
    void setLevel(const Level& level);
    void clearLevel();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Level level_;
    bool hasLevel_ = false;
    BlockRenderer renderer_;
};

}  // namespace trundlex
