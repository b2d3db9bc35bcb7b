#include "widgets/command_registry.h"

#include <QHash>

namespace {

QHash<QString, BookWindowFactory> &book_windows()
{
    static QHash<QString, BookWindowFactory> factories;
    return factories;
}

} // namespace

bool register_book_window(const QString &window_key, BookWindowFactory factory)
{
    book_windows().insert(window_key, std::move(factory));
    return true;
}

const BookWindowFactory *book_window_factory(const QString &window_key)
{
    const auto found = book_windows().constFind(window_key);
    if (found == book_windows().cend() || !found.value())
        return nullptr;
    return &found.value();
}

ShellServices &shell_services()
{
    static ShellServices services;
    return services;
}
