// ChangeLog: what a test heard of a snapshot document, one entry per announcement
// (CVantoroDoc::changed), so a test checks which parts a call announced and how often.
#pragma once

#include "document/vantorodoc.h"

#include <QObject>

#include <algorithm>
#include <vector>

namespace calivue::test {

class ChangeLog {
public:
    explicit ChangeLog(CVantoroDoc& doc)
    {
        QObject::connect(&doc, &CVantoroDoc::changed, &m_receiver,
                         [this](DocChanges what) { m_seen.push_back(what); });
    }
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    // Announcements heard, and those that carried `part`.
    int size() const { return static_cast<int>(m_seen.size()); }
    int count(DocChange part) const
    {
        return static_cast<int>(std::count_if(m_seen.begin(), m_seen.end(),
                                              [part](DocChanges w) { return w.testFlag(part); }));
    }
    // The newest announcement that carried any of `parts` (none when there was none).
    DocChanges lastWith(DocChanges parts) const
    {
        for (auto it = m_seen.rbegin(); it != m_seen.rend(); ++it)
            if (*it & parts) return *it;
        return {};
    }
    void clear() { m_seen.clear(); }

private:
    QObject m_receiver;  // disconnects when the log goes
    std::vector<DocChanges> m_seen;
};

}  // namespace calivue::test
