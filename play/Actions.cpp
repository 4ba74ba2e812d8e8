#include "play/Actions.hpp"

namespace tamrow
{
std::optional<Action> actionNamed(const std::string& name)
{
    for (const ActionRow& row : Actions)
    {
        if (name == row.name)
            return row.action;
    }
    return std::nullopt;
}

std::string usKeysOf(Action action)
{
    const ActionRow& row = rowOf(action);
    const bool second = *row.otherKey.xkbName != '\0';
    return std::string(row.key.usLabel) + (second ? std::string(", ") + row.otherKey.usLabel : "");
}

std::string wordsOf(Action action, const KeyNames& keysOf)
{
    const std::string words = rowOf(action).words;
    std::string out;
    std::size_t at = 0;
    while (at < words.size())
    {
        const std::size_t open = words.find('{', at);
        const std::size_t close = words.find('}', open);
        const std::optional<Action> named =
            close == std::string::npos ? std::nullopt : actionNamed(words.substr(open + 1, close - open - 1));
        if (!named)
        {
            out += words.substr(at);
            break;
        }
        out += words.substr(at, open - at) + keysOf(*named);
        at = close + 1;
    }
    return out;
}
} // namespace tamrow
