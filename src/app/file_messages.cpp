#include "app/file_messages.h"

#include "document/bitmap.h"

#include <QLocale>

namespace tavlo {

namespace {

QString quoted(const QString& fileName) {
    return QStringLiteral("「%1」").arg(fileName);
}

} // namespace

QString loadFailureText(const QString& fileName, FileProblem problem) {
    const QString name = quoted(fileName);
    switch (problem) {
    case FileProblem::Missing:
        return name + QStringLiteral("が見つからないため、開けません。");
    case FileProblem::NoPermission:
        return name + QStringLiteral("を読む権限がないため、開けません。");
    case FileProblem::NotRegularFile:
        return name + QStringLiteral("はファイルではないため、開けません。");
    case FileProblem::TooLarge:
        return name + QStringLiteral("はファイルが大きすぎるため、開けません。");
    case FileProblem::NotImageType:
        return name + QStringLiteral("はJPG・BMPファイルではないため、開けません。");
    case FileProblem::NotAnImage:
        return name + QStringLiteral("は壊れているか対応していない形式のため、開けません。");
    case FileProblem::TooManyPixels:
        return name + QStringLiteral("は画素数が上限（%1画素）を超えるため、開けません。")
                          .arg(QLocale(QLocale::Japanese).toString(qulonglong{kMaxPixels}));
    default:
        return name + QStringLiteral("を読み込めません。");
    }
}

QString saveFailureText(const QString& fileName, FileProblem problem) {
    const QString name = quoted(fileName);
    switch (problem) {
    case FileProblem::Missing:
        return name + QStringLiteral("の保存先フォルダが見つからないため、保存できません。");
    case FileProblem::NoPermission:
        return name + QStringLiteral("に書き込む権限がないため、保存できません。");
    case FileProblem::ReadOnly:
        return name + QStringLiteral("は読み取り専用のため、保存できません。");
    case FileProblem::NotRegularFile:
        return name + QStringLiteral("はファイルではないため、保存できません。");
    case FileProblem::NoSpace:
        return QStringLiteral("ディスクの空きが足りないため、") + name +
               QStringLiteral("を保存できません。");
    default:
        return name + QStringLiteral("を保存できません。");
    }
}

} // namespace tavlo
