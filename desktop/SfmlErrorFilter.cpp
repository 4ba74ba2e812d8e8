#include "desktop/SfmlErrorFilter.hpp"

#include <algorithm>
#include <iterator>

namespace tamrow
{
namespace
{
/// The lines dropped whole, without their line break.
const char* const DroppedNotices[] = {"Setting vertical sync not supported"};
} // namespace

SfmlErrorFilter::SfmlErrorFilter(std::ostream& stream) : stream_(stream), passedTo_(stream.rdbuf())
{
    stream_.rdbuf(this);
}

SfmlErrorFilter::~SfmlErrorFilter()
{
    if (!line_.empty())
        endLine();
    stream_.rdbuf(passedTo_);
}

SfmlErrorFilter::int_type SfmlErrorFilter::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    line_.push_back(traits_type::to_char_type(c));
    if (c == '\n')
        endLine();
    return c;
}

int SfmlErrorFilter::sync()
{
    return passedTo_->pubsync();
}

void SfmlErrorFilter::endLine()
{
    const std::string text = line_.back() == '\n' ? line_.substr(0, line_.size() - 1) : line_;
    if (std::find(std::begin(DroppedNotices), std::end(DroppedNotices), text) == std::end(DroppedNotices))
    {
        passedTo_->sputn(line_.data(), static_cast<std::streamsize>(line_.size()));
        passedTo_->pubsync();
    }
    line_.clear();
}
} // namespace tamrow
