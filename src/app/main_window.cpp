#include "main_window.h"

#include "document/pixel_convert.h"

#include <QImage>
#include <QPixmap>
#include <QStatusBar>

#include <cstring>

namespace {

QImage viewImage(const tavlo::Bitmap& view) {
    if (view.empty())
        return {};
    const tavlo::Bitmap shown = tavlo::convertedTo(view, tavlo::PixelFormat::Bit32);
    QImage image(shown.width(), shown.height(), QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y)
        std::memcpy(image.scanLine(y), shown.row(y), static_cast<std::size_t>(shown.width()) * 4);
    return image;
}

constexpr int kPanelWidths[tavlo::kStatusPanelCount] = {70, 70, 120, 120, 140, 50, 120, 70, 120};

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tavlo　Ver 1.3 2005/3"));
    scrollArea_ = new QScrollArea(this);
    Image1 = new QLabel(scrollArea_);
    scrollArea_->setWidget(Image1);
    setCentralWidget(scrollArea_);
    for (int i = 0; i < tavlo::kStatusPanelCount; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setMinimumWidth(kPanelWidths[i]);
        panels_[i]->setAlignment(i == 8 ? Qt::AlignLeft : Qt::AlignCenter);
        statusBar()->addWidget(panels_[i]);
    }
    showDocument();
}

void TForm1::openFile(const QString& path) {
    document_.sourcePath = path.toStdString();
    document_.loadImageFile();
    showDocument();
}

void TForm1::showDocument() {
    for (int i = 0; i < tavlo::kStatusPanelCount; ++i)
        panels_[i]->setText(QString::fromStdString(document_.panels[i]));
    Image1->setPixmap(QPixmap::fromImage(viewImage(document_.scratchImage)));
    Image1->adjustSize();
}
