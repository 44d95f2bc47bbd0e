// The trimming dialog: a reduced preview of the image with a frame whose four edges
// move one image pixel at a time on four scroll bars; "実　行" cuts the image to the frame.
#pragma once

#include "document/document.h"
#include "geometry/ui/trim_preview.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace tavlo {

class TrimmingDialog : public QWidget {
    Q_OBJECT
  public:
    // Frames the document's working image as the menu finds it.
    explicit TrimmingDialog(const tavlo::Document& document, QWidget* parent = nullptr);

    // prepareForImage: the set-up for the current image, then the nudge that redraws once shown.
    // False, and nothing set up, for an image narrower or lower than two pixels.
    bool prepareForImage();
    // The working image changed while the dialog is open: it shows the new picture and sizes,
    // keeps the frame where it still fits and frames the whole image where it does not. An image
    // left too small to trim closes the dialog.
    void followImage();

  signals:
    // 実　行: the frame as it stands; the dialog then hides.
    void runRequested(const tavlo::TrimRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void setUp();
    void onLeftChanged();
    void onRightChanged();
    void onTopChanged();
    void onBottomChanged();
    void onFirstRedraw();
    void drawFrame();

    QGroupBox* group_;
    QScrollBar *leftBar_, *rightBar_, *topBar_, *bottomBar_;
    QPushButton *runButton_, *backButton_;
    QRadioButton *whiteLinesButton_, *blackLinesButton_;
    QLineEdit *sourceWidthBox_, *sourceHeightBox_, *sourceRatioBox_;
    QLineEdit *trimWidthBox_, *trimHeightBox_, *trimRatioBox_;
    QLabel* scaleLabel_;
    QTimer* redrawTimer_;

    const tavlo::Document& document_;
    tavlo::TrimRect frame_;
    TrimPreview preview_;
};

} // namespace tavlo
