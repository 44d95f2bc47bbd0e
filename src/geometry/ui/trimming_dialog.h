// The trimming dialog: a reduced preview of the image with a frame whose four edges
// move one image pixel at a time on four scroll bars; "実　行" cuts the image to the frame.
#pragma once

#include "document/document.h"
#include "geometry/ui/trim_preview.h"
#include "widgets/command_sender.h"
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
    // `cut` is the rectangle the trimming command cuts, shared with the wallpaper dialog: this
    // dialog keeps its own frame and hands it over only on "実　行"; `sender` writes the
    // trimming edit.
    TrimmingDialog(const tavlo::Document& document, tavlo::TrimRect& cut, CommandSender sender,
                   QWidget* parent = nullptr);

    // prepareForImage: the set-up for the current image, then the nudge that redraws once shown.
    // False, and nothing set up, for an image narrower or lower than two pixels.
    bool prepareForImage();
    const tavlo::TrimRect& frame() const { return frame_; }

    QGroupBox* GroupBox1;
    QScrollBar *ScrollBar1, *ScrollBar2, *ScrollBar3, *ScrollBar4;
    QPushButton *Button1, *Button2;
    QRadioButton *RadioButton1, *RadioButton2;
    QLineEdit *SourceWidth, *SourceHeight, *SourceRatio;
    QLineEdit *TrimWidth, *TrimHeight, *TrimRatio;
    QLabel* ScaleLabel;
    QTimer* Timer1;

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

    const tavlo::Document& document_;
    tavlo::TrimRect& cut_;
    tavlo::TrimRect frame_;
    CommandSender sender_;
    TrimPreview preview_;
};

} // namespace tavlo
