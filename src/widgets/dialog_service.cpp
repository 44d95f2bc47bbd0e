#include "widgets/dialog_service.h"

#include "document/file_io.h"
#include "widgets/picture_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

namespace tavlo {

QString qtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    QString description = bar < 0 ? filter : filter.left(bar);
    // Several patterns are separated by semicolons, as the platform's dialogs write them.
    const QString pattern = bar < 0
                                ? QStringLiteral("*")
                                : filter.mid(bar + 1).replace(QLatin1Char(';'), QLatin1Char(' '));
    if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'), Qt::CaseInsensitive))
        return description;
    // A description naming only the first pattern lists them all, since Qt matches what it shows.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && description.endsWith(QLatin1Char(')')) &&
        pattern.startsWith(description.mid(open + 1).chopped(1) + QLatin1Char(' '),
                           Qt::CaseInsensitive))
        return description.left(open + 1) + pattern + QLatin1Char(')');
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

namespace {

// The print, help and other tool windows stay on top of the main window; a question or a file
// dialog must come above them, or its buttons may be hidden behind one.
void keepAboveToolWindows(QWidget& prompt) {
    prompt.setWindowFlag(Qt::WindowStaysOnTopHint);
}

QFileDialog* makeDialog(QWidget* parent, const QString& title, const QString& filter) {
    auto* dialog = new QFileDialog(parent, title);
    keepAboveToolWindows(*dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(qtNameFilter(filter));
    return dialog;
}

bool isPictureFilter(const QString& filter) {
    const QString pattern = filter.mid(filter.indexOf(QLatin1Char('|')) + 1);
    return pattern.startsWith(QStringLiteral("*.jpg"), Qt::CaseInsensitive) ||
           pattern.compare(QStringLiteral("*.bmp"), Qt::CaseInsensitive) == 0;
}

// Beside the file list, over all its rows.
void addPreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* preview = new PicturePreview(&dialog);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::showFile);
}

std::optional<QString> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    keepAboveToolWindows(box);
    return box.exec();
}

} // namespace

std::optional<QString> QtDialogService::openImage(QWidget* parent, const QString& title,
                                                  const QString& filter, const QString& folder,
                                                  const QString& defaultSuffix) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, title, filter));
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (!folder.isEmpty()) dialog->setDirectory(folder);
    dialog->setDefaultSuffix(defaultSuffix);
    if (isPictureFilter(filter)) addPreview(*dialog);
    return run(*dialog);
}

std::optional<QString> QtDialogService::saveImage(QWidget* parent, const QString& title,
                                                  const QString& filter,
                                                  const QString& proposedName, bool askOverwrite,
                                                  const WrittenName& writtenName) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, title, filter));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // The dialog would ask about the name as typed; the question here is about the name written.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !askOverwrite || writtenName);
    const QFileInfo proposed(proposedName);
    if (proposed.dir().exists() && !proposed.path().isEmpty() && proposed.path() != ".")
        dialog->setDirectory(proposed.dir());
    dialog->selectFile(proposed.fileName());
    for (;;) {
        const auto chosen = run(*dialog);
        if (!chosen) return std::nullopt;
        const QString name = writtenName ? writtenName(*chosen) : *chosen;
        const QFileInfo target(name);
        if (!target.dir().exists())
            message(parent,
                    QStringLiteral("%1\nフォルダが見つかりません。フォルダ名を確認してください。")
                        .arg(target.path()));
        else if (tavlo::isReadOnlyTarget(QFile::encodeName(name).toStdString()))
            message(parent,
                    QStringLiteral("%1\n読み取り専用のファイルには保存できません。").arg(name));
        else if (!writtenName || !askOverwrite || !target.exists() ||
                 confirm(parent,
                         QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(name),
                         false) == Answer::Yes)
            return name;
    }
}

void QtDialogService::message(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Information, QApplication::applicationName(), text,
            QMessageBox::Ok);
}

DialogService::Answer QtDialogService::confirm(QWidget* parent, const QString& text,
                                               bool withCancel) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    keepAboveToolWindows(box);
    // Escape and the close box press the Cancel button; a question without one keeps it hidden,
    // so that dismissing it answers neither Yes nor No.
    if (!withCancel) box.button(QMessageBox::Cancel)->hide();
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtDialogService::reportError(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
}

} // namespace tavlo
