#include "GridHistory.h"

void GridHistory::record(const QString &name, const MatrixState::Snapshot &before, const MatrixState::Snapshot &after)
{
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
    m_steps.push_back({name, before, after});
    if (m_steps.size() > Limit)
        m_steps.pop_front();
    m_done = m_steps.size();
}
