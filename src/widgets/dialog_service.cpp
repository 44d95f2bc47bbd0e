#include "widgets/dialog_service.h"

#include "document/file_io.h"
#include "widgets/picture_preview.h"

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

QFileDialog* makeDialog(QWidget* parent, const QString& title, const QString& filter) {
    auto* dialog = new QFileDialog(parent, title);
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
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

DialogService::Answer QtDialogService::confirm(QWidget* parent, const QString& text,
                                               bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, QStringLiteral("確認"), text, buttons)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

void QtDialogService::reportError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

} // namespace tavlo
