#include "app/failure_text.h"

#include "document/invalid_bitmap_size_error.h"
#include "filters/histogram.h"
#include "printing/ui/print_failure.h"

#include <new>
#include <stdexcept>

namespace tavlo {

QString failureText(const std::exception& error) {
    const QString detail = QString::fromUtf8(error.what());
    if (dynamic_cast<const InvalidBitmapSizeError*>(&error)) return detail;
    if (dynamic_cast<const PrintFailure*>(&error)) return detail;
    if (dynamic_cast<const HistogramMemoryError*>(&error))
        return QStringLiteral("メモリが足りないため、ヒストグラムを表示できません。");
    if (dynamic_cast<const std::length_error*>(&error))
        return QStringLiteral("処理後の画像が大きすぎるため、実行できません。\n（%1）\n"
                              "画像は元のままです。")
            .arg(detail);
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("メモリが不足しているため、実行できません。\n画像は元のままです。");
    return QStringLiteral("処理中にエラーが発生しました。\n（%1）").arg(detail);
}

} // namespace tavlo
