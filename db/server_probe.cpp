#include "db/server_probe.h"

#include "db/link.h"

#include <ibase.h>

#include <atomic>
#include <thread>

struct ServerProbe::State
{
    // 0 pending, 1 answered, 2 network failure
    std::atomic<int> result{0};
};

namespace {

bool networkFailure(const ISC_STATUS* status)
{
    for (const ISC_STATUS* s = status; s[0] == isc_arg_gds && s[1] != 0;) {
        const ISC_STATUS code = s[1];
        if (code == isc_network_error || code == isc_net_read_err || code == isc_net_write_err
            || code == isc_conn_lost || code == isc_lost_db_connection)
            return true;
        // Skip to the next code of the vector.
        s += 2;
        while (s[0] != isc_arg_end && s[0] != isc_arg_gds)
            s += (s[0] == isc_arg_cstring) ? 3 : 2;
        if (s[0] == isc_arg_end)
            break;
    }
    return false;
}

} // namespace

void ServerProbe::start(const QString& path, const DatabaseLogin& login)
{
    m_state = std::make_shared<State>();
    m_startedAt = steadyMs();
    const QByteArray name = path.toUtf8();
    const QByteArray user = login.user.toUtf8().left(255);
    const QByteArray password = login.password.toUtf8().left(255);
    std::thread([state = m_state, name, user, password] {
        QByteArray dpb;
        dpb.append(char(isc_dpb_version1));
        dpb.append(char(isc_dpb_user_name));
        dpb.append(char(user.size()));
        dpb.append(user);
        dpb.append(char(isc_dpb_password));
        dpb.append(char(password.size()));
        dpb.append(password);
        ISC_STATUS_ARRAY status = {};
        isc_db_handle db = 0;
        const ISC_STATUS failed = isc_attach_database(status, short(name.size()), name.constData(), &db,
                                                      short(dpb.size()), dpb.constData());
        // Any answer of the server, a refusal included, means it is there.
        state->result.store(failed && networkFailure(status) ? 2 : 1);
        if (db)
            isc_detach_database(status, &db);
    }).detach();
}

ServerProbe::Answer ServerProbe::answer(int silentAfterMs) const
{
    if (!m_state)
        return Answer::Pending;
    switch (m_state->result.load()) {
    case 1:
        return Answer::Answering;
    case 2:
        return Answer::Silent;
    default:
        return steadyMs() - m_startedAt >= silentAfterMs ? Answer::Silent : Answer::Pending;
    }
}
