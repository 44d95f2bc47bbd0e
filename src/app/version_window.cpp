#include "app/version_window.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyle>

// The resource initialiser is declared at global scope; a namespace would hide it.
static void initialiseResources() {
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

void loadTavloResources() {
    initialiseResources();
}

namespace {

// Centres a control across the window's width, as its creation places it.
void centreHorizontally(QWidget* control, int windowWidth) {
    control->move((windowWidth - control->width()) / 2, control->y());
}

} // namespace

VersionWindow::VersionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadTavloResources();
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Tavlo Ver 1.3"));
    constexpr int kWidth = 228;

    auto* nameLabel = new QLabel(QStringLiteral("TAVLO.EXE"), this);
    QFont title(QStringLiteral("IPAPMincho"));
    title.setPixelSize(21);
    title.setBold(true);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    nameLabel->setFont(title);
    nameLabel->setAlignment(Qt::AlignCenter);
    nameLabel->setGeometry(26, 19, 119, 21);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("Image1"));
    iconLabel->setPixmap(QPixmap(QStringLiteral(":/tavlo-32.png")));
    iconLabel->setScaledContents(true);
    iconLabel->setGeometry(26, 58, 32, 32);

    auto* versionLabel = new QLabel(QStringLiteral("Ver 1.30  2005/3"), this);
    versionLabel->setObjectName(QStringLiteral("Label2"));
    versionLabel->move(64, 64);
    versionLabel->adjustSize();

    auto* descriptionLabel = new QLabel(QStringLiteral("JPEG・BMP 画像ビューア"), this);
    descriptionLabel->setObjectName(QStringLiteral("Label3"));
    descriptionLabel->move(32, 110);
    descriptionLabel->adjustSize();

    auto* okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                     QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setGeometry(45, 147, 77, 27);
    connect(okButton, &QPushButton::clicked, this, &QWidget::hide);

    // the name, the third line and the button centred; the height follows the button.
    for (QWidget* control :
         {static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(descriptionLabel),
          static_cast<QWidget*>(okButton)})
        centreHorizontally(control, kWidth);
    setFixedSize(kWidth, okButton->y() + 80);
    const QRect screen = QApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}

} // namespace tavlo
