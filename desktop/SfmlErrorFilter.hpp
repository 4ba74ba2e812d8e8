#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace tamrow
{
/// Stands in a stream's place (the game's: sf::err(), SFML's messages to
/// standard error) and passes on every line but the notices that tell the player
/// nothing: "Setting vertical sync not supported", which SFML writes at each
/// window it makes on a display whose OpenGL cannot set it (Xvfb, Mesa's
/// software driver); the game paces its frames by SFML's frame-rate limit, not
/// by vertical sync. Each line passed goes out whole, once its line break comes.
class SfmlErrorFilter : public std::streambuf
{
public:
    /// Filters what is written to `stream` from now on until destroyed.
    explicit SfmlErrorFilter(std::ostream& stream);
    /// Passes on an unfinished last line, and gives `stream` its own buffer back.
    ~SfmlErrorFilter() override;

    SfmlErrorFilter(const SfmlErrorFilter&) = delete;
    SfmlErrorFilter& operator=(const SfmlErrorFilter&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    /// Sends `line_` on unless it is a dropped notice, and starts a new one.
    void endLine();

    std::ostream& stream_;
    std::streambuf* passedTo_;  ///< the stream's own buffer, where passed lines go
    std::string line_;          ///< the line written so far, its break not yet come
};
} // namespace tamrow
