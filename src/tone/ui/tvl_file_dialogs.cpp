#include "tone/ui/tvl_file_dialogs.h"

#include "app/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const QString kFilter = QStringLiteral("TVLﾌｧｲﾙ(*.TVL)|*.tvl");

std::optional<QString> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void prepare(QFileDialog& dialog, const QString& folder) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(qtNameFilter(kFilter));
    dialog.setDirectory(folder);
}

} // namespace

std::optional<QString> chooseTvlSaveName(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("ＲＧＢ濃度設定定数保存"));
    prepare(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    for (;;) {
        const auto chosen = run(dialog);
        if (!chosen) return std::nullopt;
        const QFileInfo file(*chosen);
        if (!file.exists() || file.isWritable()) return chosen;
        QMessageBox::information(
            parent, QApplication::applicationName(),
            QStringLiteral("%1\n読み取り専用のファイルには保存できません。").arg(*chosen));
    }
}

std::optional<QString> chooseTvlLoadName(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("ＲＧＢ濃度設定定数読込"));
    prepare(dialog, folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tvl"));
    return run(dialog);
}
