// ReportChangeLog: what a test heard of a report project document, one entry per announcement
// (CReportDoc::changed) and per pre-notice (CReportDoc::aboutToChange), so a test checks which
// parts a call announced, with which inspections, and how often.
#pragma once

#include "document/reportdoc.h"

#include <QObject>

#include <algorithm>
#include <iterator>
#include <vector>

namespace calivue::test {

class ReportChangeLog {
public:
    explicit ReportChangeLog(CReportDoc& doc)
    {
        QObject::connect(&doc, &CReportDoc::changed, &m_receiver,
                         [this](const ReportChange& c) { m_seen.push_back(c); });
        QObject::connect(&doc, &CReportDoc::aboutToChange, &m_receiver,
                         [this](const ReportChange& c) { m_pending.push_back(c); });
    }
    ReportChangeLog(const ReportChangeLog&) = delete;
    ReportChangeLog& operator=(const ReportChangeLog&) = delete;

    // Announcements heard, and those that carried `part`.
    int size() const { return static_cast<int>(m_seen.size()); }
    int count(ReportPart part) const
    {
        return static_cast<int>(std::count_if(
            m_seen.begin(), m_seen.end(), [part](const ReportChange& c) { return c.has(part); }));
    }
    // The announcements that carried `part`, in order.
    std::vector<ReportChange> with(ReportPart part) const
    {
        std::vector<ReportChange> out;
        std::copy_if(m_seen.begin(), m_seen.end(), std::back_inserter(out),
                     [part](const ReportChange& c) { return c.has(part); });
        return out;
    }
    const std::vector<ReportChange>& seen() const { return m_seen; }
    // The pre-notices heard.
    const std::vector<ReportChange>& pending() const { return m_pending; }
    void clear()
    {
        m_seen.clear();
        m_pending.clear();
    }

private:
    QObject m_receiver;  // disconnects when the log goes
    std::vector<ReportChange> m_seen;
    std::vector<ReportChange> m_pending;
};

}  // namespace calivue::test
