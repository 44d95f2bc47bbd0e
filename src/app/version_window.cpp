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

    Label1 = new QLabel(QStringLiteral("TAVLO.EXE"), this);
    QFont title(QStringLiteral("IPAPMincho"));
    title.setPixelSize(21);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(26, 19, 119, 21);

    Image1 = new QLabel(this);
    Image1->setPixmap(QPixmap(QStringLiteral(":/tavlo-32.png")));
    Image1->setScaledContents(true);
    Image1->setGeometry(26, 58, 32, 32);

    Label2 = new QLabel(QStringLiteral("Ver 1.30  2005/3"), this);
    Label2->move(64, 64);
    Label2->adjustSize();

    Label3 = new QLabel(QStringLiteral("JPEG・BMP 画像ビューア"), this);
    Label3->move(32, 110);
    Label3->adjustSize();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setGeometry(45, 147, 77, 27);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::hide);

    // the name, the third line and the button centred; the height follows the button.
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label3),
                             static_cast<QWidget*>(BitBtn1)})
        centreHorizontally(control, kWidth);
    setFixedSize(kWidth, BitBtn1->y() + 80);
    const QRect screen = QApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}

} // namespace tavlo
