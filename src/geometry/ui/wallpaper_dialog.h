// The wallpaper dialog: a frame of one of five screen sizes, in image pixels, over a
// reduced preview; moved with two scroll bars or dragged with the mouse; "実行" cuts the image
// to it through the trimming command.
#pragma once

#include "document/document.h"
#include "geometry/ui/trim_preview.h"
#include "widgets/command_sender.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <array>

namespace tavlo {

class WallpaperDialog : public QWidget {
    Q_OBJECT
  public:
    // `cut` is the rectangle the trimming command cuts, shared with the trimming dialog: this
    // dialog keeps its own frame and hands it over only on "実行"; `sender` writes the trimming
    // edit.
    WallpaperDialog(const tavlo::Document& document, tavlo::TrimRect& cut, CommandSender sender,
                    QWidget* parent = nullptr);

    // prepareForImage: the set-up for the current image (nothing before the menu first opened it).
    void prepareForImage(std::int64_t sharedCounter);
    bool fits() const { return fitFlag_; }
    const tavlo::TrimRect& frame() const { return frame_; }
    tavlo::WallpaperSize wallpaperSize() const { return size_; }

    QLabel* Label1; // "元画像が小さ過ぎます。"
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QPushButton *Button1, *Button2;
    QScrollBar *ScrollBar2, *ScrollBar3;
    std::array<QRadioButton*, 5> sizeButtons; // RadioButton1 … RadioButton5
    QLineEdit *Edit2, *Edit3;                 // source W and H
    QRadioButton *RadioButton6, *RadioButton7;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;   // MouseDown0
    void mouseMoveEvent(QMouseEvent* event) override;    // MouseMove0
    void mouseReleaseEvent(QMouseEvent* event) override; // MouseUp0

  private:
    void chooseSize(int index);
    void keepGroupRightOfLabel();
    void setUp();
    void onHorizontalMoved();
    void onVerticalMoved();

    const tavlo::Document& document_;
    tavlo::TrimRect& cut_;
    tavlo::TrimRect frame_;
    CommandSender sender_;
    TrimPreview preview_;
    tavlo::WallpaperSize size_ = tavlo::kWallpaperSizes[tavlo::kDefaultWallpaperSize];
    std::int64_t sharedCounter_ = 0;
    bool fitFlag_ = false;
    bool dragging_ = false;
    int grabOffsetX_ = 0, grabOffsetY_ = 0;
};

} // namespace tavlo
