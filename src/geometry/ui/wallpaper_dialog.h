// The wallpaper dialog: a frame of one of five screen sizes, in image pixels, over a
// reduced preview; moved with two scroll bars or dragged with the mouse; "実行" cuts the image
// to it.
#pragma once

#include "document/document.h"
#include "geometry/ui/trim_preview.h"
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
    // Frames the document's working image as the menu finds it.
    explicit WallpaperDialog(const tavlo::Document& document, QWidget* parent = nullptr);

    // The set-up for the current image. Until the menu first calls it, choosing a size only
    // marks it.
    void prepareForImage();
    // The working image changed while the dialog is open: it shows the new picture and sizes,
    // keeps the frame where it still fits and centres it where it does not.
    void followImage();

  signals:
    // 実行 (offered only while the frame fits): the frame's size and corner; the dialog then
    // hides.
    void runRequested(const tavlo::WallpaperParameters& parameters);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void chooseSize(int index);
    void keepGroupRightOfLabel();
    void setUp();
    void onHorizontalMoved();
    void onVerticalMoved();

    QLabel* tooSmallLabel_; // "元画像が小さ過ぎます。"
    QGroupBox* group_;
    QPushButton *runButton_, *backButton_;
    QScrollBar *horizontalBar_, *verticalBar_;
    std::array<QRadioButton*, 5> sizeButtons_;
    QLineEdit *sourceWidthBox_, *sourceHeightBox_;
    QRadioButton *whiteLinesButton_, *blackLinesButton_;

    const tavlo::Document& document_;
    tavlo::TrimRect frame_;
    TrimPreview preview_;
    tavlo::WallpaperSize size_ = tavlo::kWallpaperSizes[tavlo::kDefaultWallpaperSize];
    bool opened_ = false;
    bool fitFlag_ = false;
    bool dragging_ = false;
    int grabOffsetX_ = 0, grabOffsetY_ = 0;
};

} // namespace tavlo
