#include "console/lock_keys.h"

#include <QGuiApplication>

#ifdef VORINDA_HAS_XKB
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace {

class UnknownLockKeys final : public LockKeys
{
public:
    std::optional<State> read() override { return std::nullopt; }
};

#ifdef VORINDA_HAS_XKB
// Reads the keyboard's named indicators, as the keyboard's own lights show
// them, whatever modifier a layout binds Num Lock to.
class XkbLockKeys final : public LockKeys
{
public:
    explicit XkbLockKeys(Display* display)
        : m_display(display)
        , m_caps(XInternAtom(display, "Caps Lock", False))
        , m_num(XInternAtom(display, "Num Lock", False))
        , m_scroll(XInternAtom(display, "Scroll Lock", False))
    {
    }

    std::optional<State> read() override
    {
        State state;
        if (!indicator(m_caps, state.caps) || !indicator(m_num, state.num) || !indicator(m_scroll, state.scroll))
            return std::nullopt;
        return state;
    }

private:
    bool indicator(Atom name, bool& on) const
    {
        Bool value = False;
        if (!XkbGetNamedIndicator(m_display, name, nullptr, &value, nullptr, nullptr))
            return false;
        on = value;
        return true;
    }

    Display* m_display;
    Atom m_caps;
    Atom m_num;
    Atom m_scroll;
};
#endif

} // namespace

std::unique_ptr<LockKeys> systemLockKeys()
{
#ifdef VORINDA_HAS_XKB
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display* display = x11->display()) {
            int major = XkbMajorVersion;
            int minor = XkbMinorVersion;
            if (XkbQueryExtension(display, nullptr, nullptr, nullptr, &major, &minor))
                return std::make_unique<XkbLockKeys>(display);
        }
    }
#endif
    return std::make_unique<UnknownLockKeys>();
}
