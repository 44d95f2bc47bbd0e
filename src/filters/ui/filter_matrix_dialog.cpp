#include "filters/ui/filter_matrix_dialog.h"

#include "document/constants_file.h"
#include "document/file_io.h"
#include "widgets/dialog_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

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

FilterMatrixDialog::FilterMatrixDialog(DialogService& dialogs, QString programFolder,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), dialogs_(dialogs),
      programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Form16"));
    auto* matrixGroup = new QGroupBox(QStringLiteral("フィルター行列"), this);
    matrixGroup->setObjectName(QStringLiteral("GroupBox1"));
    matrixGroup->setGeometry(8, 8, 186, 172);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        QLineEdit* box = boxes_[i] = new QLineEdit(matrixGroup);
        box->setObjectName(QStringLiteral("Memo%1").arg(i + 1));
        box->setGeometry(10 + 58 * static_cast<int>(i % 3), 24 + 32 * static_cast<int>(i / 3), 50,
                         24);
        connect(box, &QLineEdit::textChanged, this,
                [this, i] { onCoefficientEdited(static_cast<int>(i)); });
    }
    auto* sumLabel = new QLabel(QStringLiteral("sum ="), matrixGroup);
    sumLabel->setObjectName(QStringLiteral("Label10"));
    sumLabel->setGeometry(10, 132, 50, 24);
    sumBox_ = field(matrixGroup, "Memo10", {68, 132, 108, 24});

    QPushButton* runButton = button(this, "Button1", QStringLiteral("実行"), {204, 8, 96, 28});
    QPushButton* backButton = button(this, "Button4", QStringLiteral("戻る"), {204, 44, 96, 28});
    QPushButton* resetButton = button(this, "Button2", QStringLiteral("ﾘｾｯﾄ"), {204, 80, 96, 28});
    QPushButton* saveButton =
        button(this, "Button3", QStringLiteral("定数保存"), {204, 116, 96, 28});
    QPushButton* loadButton =
        button(this, "Button5", QStringLiteral("定数読み込み"), {204, 152, 96, 28});
    connect(runButton, &QPushButton::clicked, this, &FilterMatrixDialog::onApply);
    connect(backButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(resetButton, &QPushButton::clicked, this, &FilterMatrixDialog::onReset);
    connect(saveButton, &QPushButton::clicked, this, &FilterMatrixDialog::onSaveCoefficients);
    connect(loadButton, &QPushButton::clicked, this, &FilterMatrixDialog::onLoadCoefficients);

    // near the top right of the screen.
    resize(backButton->x() + backButton->width() + 24,
           matrixGroup->y() + matrixGroup->height() + 40);
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
        const auto value = tavlo::parseInteger(toStd(line));
        if (!value) {
            dialogs_.reportError(this,
                                 QStringLiteral("'%1' is not a valid integer value").arg(line));
            return false;
        }
        kernel_[i] = *value;
        sum += *value;
    }
    sumBox_->setText(QString::number(sum));
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
    if (readBoxes()) emit runRequested(kernel_);
}

void FilterMatrixDialog::onReset() {
    setBoxes(tavlo::kResetKernel);
}

void FilterMatrixDialog::onSaveCoefficients() {
    if (!readBoxes()) return;
    const auto chosen = dialogs_.saveImage(this, QStringLiteral("３×３フィルター定数保存"), kFilter,
                                           programFolder_, true, [](const QString& name) {
                                               return QString::fromStdString(tavlo::withExtension(
                                                   toStd(name), tavlo::kKernelFileExtension));
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
