#include "filters/ui/filter_matrix_dialog.h"

#include "document/constants_file.h"
#include "document/file_io.h"

#include <QGuiApplication>
#include <QScreen>

namespace tavlo {

namespace {

const QString kFilter = QStringLiteral("MTXﾌｧｲﾙ(*.MTX)|*.mtx");

std::string toStd(const QString& text) {
    return text.toUtf8().toStdString();
}

QString firstLine(const QLineEdit* box) {
    return box->text().section(QLatin1Char('\n'), 0, 0);
}

} // namespace

FilterMatrixDialog::FilterMatrixDialog(tavlo::FilterKernel& kernel, DialogService& dialogs,
                                       QString programFolder, Actions actions, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), kernel_(kernel), dialogs_(dialogs),
      programFolder_(std::move(programFolder)), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Form16"));
    GroupBox1 = new QGroupBox(QStringLiteral("フィルター行列"), this);
    GroupBox1->setGeometry(8, 8, 186, 172);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        QLineEdit* box = boxes_[i] = new QLineEdit(GroupBox1);
        box->setObjectName(QStringLiteral("Memo%1").arg(i + 1));
        box->setGeometry(10 + 58 * static_cast<int>(i % 3), 24 + 32 * static_cast<int>(i / 3), 50,
                         24);
        connect(box, &QLineEdit::textChanged, this,
                [this, i] { onCoefficientEdited(static_cast<int>(i)); });
    }
    Label10 = new QLabel(QStringLiteral("sum ="), GroupBox1);
    Label10->setGeometry(10, 132, 50, 24);
    Memo10 = new QLineEdit(GroupBox1);
    Memo10->setObjectName(QStringLiteral("Memo10"));
    Memo10->setReadOnly(true);
    Memo10->setGeometry(68, 132, 108, 24);

    const std::pair<QPushButton**, QString> buttons[] = {
        {&Button1, QStringLiteral("実行")},
        {&Button4, QStringLiteral("戻る")},
        {&Button2, QStringLiteral("ﾘｾｯﾄ")},
        {&Button3, QStringLiteral("定数保存")},
        {&Button5, QStringLiteral("定数読み込み")}};
    int top = 8;
    for (const auto& [button, caption] : buttons) {
        *button = new QPushButton(caption, this);
        (*button)->setGeometry(204, top, 96, 28);
        top += 36;
    }
    connect(Button1, &QPushButton::clicked, this, &FilterMatrixDialog::onApply);
    connect(Button4, &QPushButton::clicked, this, &FilterMatrixDialog::onBack);
    connect(Button2, &QPushButton::clicked, this, &FilterMatrixDialog::onReset);
    connect(Button3, &QPushButton::clicked, this, &FilterMatrixDialog::onSaveCoefficients);
    connect(Button5, &QPushButton::clicked, this, &FilterMatrixDialog::onLoadCoefficients);

    // near the top right of the screen.
    resize(Button4->x() + Button4->width() + 24, GroupBox1->y() + GroupBox1->height() + 40);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move((screen ? screen->geometry().width() : 1024) - width() - 50, 10);
    onReset();
}

void FilterMatrixDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

// The box rule: a "-" after the first character is a typing slip and turns the box into "0";
// a lone "-" is a negative number still being typed.
void FilterMatrixDialog::onCoefficientEdited(int i) {
    if (filling_) return;
    QLineEdit* box = boxes_[static_cast<std::size_t>(i)];
    const QString line = firstLine(box);
    if (line.isEmpty()) return;
    if (line.indexOf(QLatin1Char('-'), 1) > 0) {
        box->setText(QStringLiteral("0"));
        return;
    }
    if (line == QStringLiteral("-")) return;
    readBoxes();
}

bool FilterMatrixDialog::readBoxes() {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QString line = firstLine(boxes_[i]);
        const auto value = tavlo::parseCoefficient(toStd(line));
        if (!value) {
            dialogs_.reportError(this,
                                 QStringLiteral("'%1' is not a valid integer value").arg(line));
            return false;
        }
        kernel_[i] = *value;
        sum += *value;
    }
    Memo10->setText(QString::number(sum));
    return true;
}

void FilterMatrixDialog::setBoxes(const tavlo::FilterKernel& values) {
    filling_ = true;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setText(QString::number(values[i]));
    filling_ = false;
    readBoxes();
}

void FilterMatrixDialog::onApply() {
    if (readBoxes()) actions_.apply();
}

void FilterMatrixDialog::onBack() {
    actions_.back();
    hide();
}

void FilterMatrixDialog::onReset() {
    setBoxes(tavlo::kResetKernel);
    kernel_ = tavlo::kResetKernel;
}

void FilterMatrixDialog::onSaveCoefficients() {
    const auto chosen =
        dialogs_.saveImage(this, QStringLiteral("３×３フィルター定数保存"), kFilter, programFolder_,
                           true, [](const QString& name) {
                               return QString::fromStdString(tavlo::withMtxExtension(toStd(name)));
                           });
    if (!chosen) return;
    const std::string path = toStd(*chosen);
    const std::string text = tavlo::formatConstantsFile(kernel_);
    const std::span<const std::uint8_t> piece(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    std::string error;
    if (!tavlo::writeFileAtomically(path, {&piece, 1}, error))
        dialogs_.reportError(this, QString::fromStdString(error));
}

void FilterMatrixDialog::onLoadCoefficients() {
    const auto chosen = dialogs_.openImage(this, QStringLiteral("３×３フィルター定数読み込み"),
                                           kFilter, programFolder_, QStringLiteral("mtx"));
    if (!chosen) return;
    std::string error;
    const auto values = tavlo::readConstantsFile(toStd(*chosen), tavlo::kFilterFileLines, error);
    if (!values) {
        dialogs_.reportError(this, *chosen + QStringLiteral(": ") + QString::fromStdString(error));
        return;
    }
    tavlo::FilterKernel loaded{};
    std::copy(values->begin(), values->end(), loaded.begin());
    setBoxes(loaded);
}

} // namespace tavlo
