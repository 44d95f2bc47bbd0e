#include "printing/ui/print_queue.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace tavlo {

namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

Dest namedDest(const QString& queue) {
    return Dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr));
}

// Every job the scheduler keeps, finished ones included; the count, or -1 when it cannot be
// asked.
struct Jobs {
    cups_job_t* list = nullptr;
    int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    Jobs() = default;
    Jobs(const Jobs&) = delete;
    Jobs& operator=(const Jobs&) = delete;
    ~Jobs() { cupsFreeJobs(std::max(count, 0), list); }
};

} // namespace

int queueResolution(const QString& queue) {
    const Dest dest = namedDest(queue);
    if (!dest) return 0;
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get());
    if (!info) return 0;
    int dpi = 0;
    if (ipp_attribute_t* attribute =
            cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info, "printer-resolution")) {
        ipp_res_t units = IPP_RES_PER_INCH;
        int down = 0;
        const int across = ippGetResolution(attribute, 0, &down, &units);
        if (units == IPP_RES_PER_INCH && across == down) dpi = across;
    }
    cupsFreeDestInfo(info);
    return dpi;
}

QString queueRefusal(const QString& queue) {
    const Dest dest = namedDest(queue);
    if (!dest)
        return QStringLiteral("印刷できませんでした。プリンタ「%1」が見つかりません。").arg(queue);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && QByteArray(accepting) == "false")
        return QStringLiteral("印刷できませんでした。プリンタ「%1」は印刷を受け付けていません。")
            .arg(queue);
    return {};
}

int newestJob() {
    const Jobs jobs;
    if (jobs.count < 0) return -1;
    int newest = 0;
    for (int i = 0; i < jobs.count; ++i)
        newest = std::max(newest, jobs.list[i].id);
    return newest;
}

QString jobFailure(const QString& queue, int before) {
    const Jobs jobs;
    const QByteArray name = queue.toUtf8();
    for (int i = 0; i < jobs.count; ++i) {
        const cups_job_t& job = jobs.list[i];
        if (job.id <= before || name != job.dest) continue;
        if (job.state == IPP_JSTATE_ABORTED || job.state == IPP_JSTATE_CANCELED)
            return QStringLiteral("印刷できませんでした。プリンタ「%1」で印刷が中止されました。")
                .arg(queue);
        return {};
    }
    return QStringLiteral("印刷できませんでした。プリンタ「%1」に印刷が届きませんでした。")
        .arg(queue);
}

} // namespace tavlo
