#pragma once

#include "game/Layout.h"
#include "window/ScaledCaption.h"

#include <QLabel>

// The story label: its text wraps, centred, within the label's design size and is drawn scaled
// with the zoom, so that it keeps its lines whatever the zoom.
class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    explicit CaptionLabel(QWidget* parent);

    void setCaption(const Layout::Caption& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ScaledCaption caption_;
};
