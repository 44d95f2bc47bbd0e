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

// In InformationTexts::Field order; the first seven sit in GroupBox1.
constexpr int kOriginalFieldCount = 7;
constexpr FieldPlace kFields[tavlo::InformationTexts::FieldCount] = {
    {13, 19, 167, "ﾌｧｲﾙ名"},          // Memo1
    {13, 45, 39, "属性"},             // Memo2
    {70, 45, 110, "ﾌｧｲﾙ長"},          // Memo3
    {13, 70, 167, "ﾌｧｲﾙ作成日時"},    // Memo4
    {13, 96, 167, "ﾌｧｲﾙ更新日時"},    // Memo5
    {13, 122, 167, "画像ﾋﾟｸｾﾙ値"},    // Memo6
    {13, 147, 167, "縦横比（色数）"}, // Memo7
    {13, 19, 167, "画像ﾋﾟｸｾﾙ値"},     // Memo8
    {13, 45, 167, "縦横比"},          // Memo9
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

    GroupBox1 = new QGroupBox(QStringLiteral("原ファイル・画像情報"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kGroup1);
    GroupBox2 = new QGroupBox(
        QString::fromUtf8(tavlo::kChangeGroupCaption.data(), tavlo::kChangeGroupCaption.size()),
        this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(kGroup2);

    for (int i = 0; i < tavlo::InformationTexts::FieldCount; ++i) {
        const FieldPlace& place = kFields[i];
        auto* memo = new QLineEdit(i < kOriginalFieldCount ? GroupBox1 : GroupBox2);
        memo->setObjectName(QStringLiteral("Memo%1").arg(i + 1));
        memo->setGeometry(place.left, place.top, place.width, kFieldHeight);
        memo->setReadOnly(true);
        memo->setAlignment(Qt::AlignCenter);
        memo->setToolTip(QString::fromUtf8(place.hint));
        memos_[i] = memo;
    }

    setFixedSize(kGroup1.width() + 28, kGroup2.top() + kGroup2.height() + 50);
    move(10, 100);
}

void FileInfoWindow::showTexts(const tavlo::InformationTexts& texts) {
    for (int i = 0; i < tavlo::InformationTexts::FieldCount; ++i) {
        memos_[i]->setText(QString::fromStdString(texts.fields[i]));
        // A text longer than its field shows its beginning.
        memos_[i]->setCursorPosition(0);
    }
    GroupBox2->setTitle(QString::fromStdString(texts.changeCaption));
}

QString FileInfoWindow::fieldText(tavlo::InformationTexts::Field field) const {
    return memos_[field]->text();
}

QString FileInfoWindow::changeCaption() const {
    return GroupBox2->title();
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
