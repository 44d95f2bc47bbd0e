#include "widgets/dialog_service.h"

#include "document/file_io.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tavlo {

QString qtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? filter : filter.left(bar);
    const QString pattern = bar < 0 ? QStringLiteral("*") : filter.mid(bar + 1);
    QString patterns = pattern.toLower();
    if (pattern.toUpper() != patterns) patterns += QLatin1Char(' ') + pattern.toUpper();
    return description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

namespace {

QFileDialog* makeDialog(QWidget* parent, const QString& title, const QString& filter) {
    auto* dialog = new QFileDialog(parent, title);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(qtNameFilter(filter));
    return dialog;
}

std::optional<QString> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogService::openImage(QWidget* parent, const QString& title,
                                                  const QString& filter, const QString& folder,
                                                  const QString& defaultSuffix) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, title, filter));
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (!folder.isEmpty()) dialog->setDirectory(folder);
    dialog->setDefaultSuffix(defaultSuffix);
    return run(*dialog);
}

std::optional<QString> QtDialogService::saveImage(QWidget* parent, const QString& title,
                                                  const QString& filter,
                                                  const QString& proposedName, bool askOverwrite) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, title, filter));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !askOverwrite);
    const QFileInfo proposed(proposedName);
    if (proposed.dir().exists() && !proposed.path().isEmpty() && proposed.path() != ".")
        dialog->setDirectory(proposed.dir());
    dialog->selectFile(proposed.fileName());
    for (;;) {
        const auto chosen = run(*dialog);
        if (!chosen) return std::nullopt;
        if (!tavlo::isReadOnlyTarget(QFile::encodeName(*chosen).toStdString())) return chosen;
        message(parent,
                QStringLiteral("%1\n読み取り専用のファイルには保存できません。").arg(*chosen));
    }
}

namespace {

// A box belongs to the window the user is working in: owned by the main window, the box about a
// dialog's "実行" would open under that dialog when the dialog stays on top.
QWidget* ownerFor(QWidget* requested) {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : requested;
}

} // namespace

void QtDialogService::message(QWidget* parent, const QString& text) {
    QMessageBox::information(ownerFor(parent), QApplication::applicationName(), text);
}

DialogService::Answer QtDialogService::confirm(QWidget* parent, const QString& text,
                                               bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(ownerFor(parent), QStringLiteral("確認"), text, buttons)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

void QtDialogService::reportError(QWidget* parent, const QString& text) {
    QMessageBox::critical(ownerFor(parent), QApplication::applicationName(), text);
}

} // namespace tavlo
