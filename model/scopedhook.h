#ifndef SCOPEDHOOK_H
#define SCOPEDHOOK_H

// Installs a program-wide hook (a function that answers a dialog in place of
// the user, say) for its own lifetime and puts the hook it replaced back when
// it goes, so that nested hooks restore each other. `Get` and `Set` are the
// static accessors of the one hook of that kind. Owns only the copy of the
// previous hook; GUI thread only, like the hooks themselves.
template<typename Hook, Hook (*Get)(), void (*Set)(const Hook &)>
class ScopedHook
{
public:
    explicit ScopedHook(const Hook &hook)
        : m_previous(Get())
    {
        Set(hook);
    }
    ~ScopedHook() { Set(m_previous); }

    ScopedHook(const ScopedHook &) = delete;
    ScopedHook &operator=(const ScopedHook &) = delete;

private:
    Hook m_previous;
};

#endif // SCOPEDHOOK_H
