#include "platform/com/stream.h"

#include <gtest/gtest.h>

using namespace com;

namespace {

void WriteAll(IStream* stream, std::string_view text)
{
    ULONG written = 0;
    ASSERT_EQ(stream->Write(text.data(), static_cast<ULONG>(text.size()), &written), S_OK);
    ASSERT_EQ(written, text.size());
}

std::string ReadAll(IStream* stream)
{
    std::string text(64, '\0');
    ULONG read = 0;
    stream->Read(text.data(), static_cast<ULONG>(text.size()), &read);
    text.resize(read);
    return text;
}

TEST(Streams, MemoryStreamReadsBackWhatWasWritten)
{
    auto stream = CreateMemoryStream();
    WriteAll(stream.get(), "pinlore map");
    std::uint64_t position = 0;
    ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(ReadAll(stream.get()), "pinlore map");
    ASSERT_EQ(stream->Seek(-3, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position, 8u);
    EXPECT_EQ(ReadAll(stream.get()), "map");
    EXPECT_EQ(stream->Seek(-100, STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION);
}

}  // namespace
