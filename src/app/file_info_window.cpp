#include "app/file_info_window.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace tavlo {

namespace {

struct FieldPlace {
    int left;
    int top;
    int width;
    const char* hint;
};

// In InformationTexts::Field order; the first seven describe the file.
constexpr int kOriginalFieldCount = 7;
constexpr FieldPlace kFields[tavlo::InformationTexts::FieldCount] = {
    {13, 19, 167, "ﾌｧｲﾙ名"},          {13, 45, 39, "属性"},          {70, 45, 110, "ﾌｧｲﾙ長"},
    {13, 70, 167, "ﾌｧｲﾙ作成日時"},    {13, 96, 167, "ﾌｧｲﾙ更新日時"}, {13, 122, 167, "画像ﾋﾟｸｾﾙ値"},
    {13, 147, 167, "縦横比（色数）"}, {13, 19, 167, "画像ﾋﾟｸｾﾙ値"},  {13, 45, 167, "縦横比"},
};
constexpr int kFieldHeight = 20;

constexpr QRect kGroup1{6, 6, 193, 174};
constexpr QRect kGroup2{6, 186, 193, 71};

} // namespace

FileInfoWindow::FileInfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ﾌｧｲﾙ・画像情報"));

    fileGroup_ = new QGroupBox(QStringLiteral("原ファイル・画像情報"), this);
    fileGroup_->setObjectName(QStringLiteral("GroupBox1"));
    fileGroup_->setGeometry(kGroup1);
    changeGroup_ = new QGroupBox(
        QString::fromUtf8(tavlo::kChangeGroupCaption.data(), tavlo::kChangeGroupCaption.size()),
        this);
    changeGroup_->setObjectName(QStringLiteral("GroupBox2"));
    changeGroup_->setGeometry(kGroup2);

    for (int i = 0; i < tavlo::InformationTexts::FieldCount; ++i) {
        const FieldPlace& place = kFields[i];
        auto* memo = new QLineEdit(i < kOriginalFieldCount ? fileGroup_ : changeGroup_);
        memo->setObjectName(QStringLiteral("Memo%1").arg(i + 1));
        memo->setGeometry(place.left, place.top, place.width, kFieldHeight);
        memo->setReadOnly(true);
        memo->setAlignment(Qt::AlignCenter);
        memo->setToolTip(QString::fromUtf8(place.hint));
        fields_[i] = memo;
    }

    setFixedSize(kGroup1.width() + 28, kGroup2.top() + kGroup2.height() + 50);
    move(10, 100);
}

void FileInfoWindow::showTexts(const tavlo::InformationTexts& texts) {
    for (int i = 0; i < tavlo::InformationTexts::FieldCount; ++i) {
        fields_[i]->setText(QString::fromStdString(texts.fields[i]));
        // A text longer than its field shows its beginning.
        fields_[i]->setCursorPosition(0);
    }
    changeGroup_->setTitle(QString::fromStdString(texts.changeCaption));
}

QString FileInfoWindow::fieldText(tavlo::InformationTexts::Field field) const {
    return fields_[field]->text();
}

QString FileInfoWindow::changeCaption() const {
    return changeGroup_->title();
}

// The stay-on-top hint is set once at creation, since changing a shown window's
// flags would hide it; here it only comes to the front, where it is.
void FileInfoWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) raise();
}

// The window is only hidden, so its texts survive until it is shown again.
void FileInfoWindow::closeEvent(QCloseEvent* event) {
    emit closedByUser();
    event->accept();
}

} // namespace tavlo
