// The checksum and the two codecs, on in-memory files.
#include "ArchiveTestUtil.h"

#include "archive/ArchiveChecksum.h"
#include "archive/ArchiveExceptions.h"
#include "archive/DeflateCodec.h"
#include "archive/StoredCodec.h"

#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <zlib.h>

namespace {

uint32_t ChecksumOf(const Bytes& data) {
    CArchiveChecksum checksum;
    checksum.Update(data.data(), data.size());
    return checksum.Value();
}

Bytes Expand(CArchiveCodec& codec, const Bytes& packed, uint32_t packedSize, uint32_t expandedSize,
             unsigned maxRead = UINT32_MAX) {
    CMemoryFile source(packed, maxRead), destination;
    codec.Expand(source, destination, packedSize, expandedSize);
    return destination.m_data;
}

template <typename Exception> int CauseOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.m_nCause;
    } catch (...) {
        return -2;
    }
    return -1;
}

} // namespace

TEST(ArchiveChecksum, MatchesTheArchiveFunctionNotStandardCrc) {
    EXPECT_EQ(ChecksumOf(Bytes{'a', 'b', 'c'}), 0x3E105F31u);
    EXPECT_NE(ChecksumOf(Bytes{'a', 'b', 'c'}), 0x352441C2u); // the standard CRC-32
    EXPECT_EQ(ChecksumOf(Bytes{}), 0u);
    for (size_t size : {1u, 7u, 4096u, 100000u}) {
        Bytes data = MakeData(size, static_cast<uint32_t>(size), false);
        EXPECT_EQ(ChecksumOf(data), ReferenceChecksum(data)) << size;
    }
}

TEST(ArchiveChecksum, PiecewiseUpdatesEqualOneUpdate) {
    Bytes data = MakeData(10000, 5, false);
    CArchiveChecksum pieces;
    for (size_t at = 0; at < data.size(); at += 333)
        pieces.Update(data.data() + at, std::min<size_t>(333, data.size() - at));
    EXPECT_EQ(pieces.Value(), ChecksumOf(data));
}

TEST(Codecs, RoundTripRandomSizes) {
    const size_t sizes[] = {0, 1, 4095, 4096, 4097, 16384, 16385, 100000, 1 << 20};
    for (int method : {kMethodStored, kMethodDeflate}) {
        for (size_t size : sizes) {
            for (bool text : {false, true}) {
                Bytes data = MakeData(size, static_cast<uint32_t>(size * 3 + text), text);
                std::unique_ptr<CArchiveCodec> codec;
                if (method == kMethodStored)
                    codec = std::make_unique<CStoredCodec>();
                else
                    codec = std::make_unique<CDeflateCodec>();
                CMemoryFile source(data, 1000), packed;
                codec->Compress(source, packed);
                if (method == kMethodDeflate) {
                    // A standard zlib stream, as any zlib reader takes it.
                    Bytes check(size);
                    uLongf checkSize = static_cast<uLongf>(size);
                    ASSERT_EQ(uncompress(check.data(), &checkSize, packed.m_data.data(),
                                         static_cast<uLong>(packed.m_data.size())),
                              Z_OK);
                    EXPECT_EQ(check, data);
                }
                Bytes back =
                    Expand(*codec, packed.m_data, static_cast<uint32_t>(packed.m_data.size()),
                           static_cast<uint32_t>(size), 777);
                EXPECT_EQ(back, data) << "method " << method << " size " << size;
            }
        }
    }
}

TEST(StoredCodec, EmptyMemberReadsNothing) {
    CStoredCodec codec;
    CMemoryFile source(Bytes{1, 2, 3}), destination;
    codec.Expand(source, destination, 0, 0);
    EXPECT_EQ(source.m_reads, 0u);
    EXPECT_TRUE(destination.m_data.empty());
}

TEST(StoredCodec, CopiesPackedSizeAndIgnoresExpandedSize) {
    CStoredCodec codec;
    Bytes data = MakeData(50000, 1, false);
    EXPECT_EQ(Expand(codec, data, 40000, 7), Bytes(data.begin(), data.begin() + 40000));
}

TEST(StoredCodec, ShortDataIsEndOfFile) {
    CStoredCodec codec;
    Bytes data = MakeData(100, 1, false);
    CMemoryFile source(data), destination;
    try {
        codec.Expand(source, destination, 200, 200);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::endOfFile);
    }
    EXPECT_EQ(destination.m_data, data); // what arrived was written
}

TEST(DeflateCodec, ExpandedSizeZeroGivesEmptyOutputWithoutReading) {
    CDeflateCodec codec;
    Bytes packed = ZlibCompress(Bytes{});
    CMemoryFile source(packed), destination;
    codec.Expand(source, destination, static_cast<uint32_t>(packed.size()), 0);
    EXPECT_EQ(source.m_reads, 0u);
    EXPECT_TRUE(destination.m_data.empty());
}

TEST(DeflateCodec, StreamEndingBeforeExpandedSizeKeepsWhatCameOut) {
    CDeflateCodec codec;
    Bytes data = MakeData(9000, 2, true);
    Bytes packed = ZlibCompress(data);
    EXPECT_EQ(Expand(codec, packed, static_cast<uint32_t>(packed.size()), 20000), data);
}

TEST(DeflateCodec, NeverWritesMoreThanTheHeaderAnnounces) {
    CDeflateCodec codec;
    Bytes data = MakeData(1 << 20, 3, true);
    Bytes packed = ZlibCompress(data);
    Bytes out = Expand(codec, packed, static_cast<uint32_t>(packed.size()), 5000);
    EXPECT_EQ(out, Bytes(data.begin(), data.begin() + 5000));
}

TEST(DeflateCodec, DamagedStreamsMapToZlibCauses) {
    Bytes data = MakeData(30000, 4, false);
    Bytes packed = ZlibCompress(data);
    const uint32_t size = static_cast<uint32_t>(data.size());

    Bytes truncated(packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2));
    EXPECT_EQ(CauseOf<CZLibException>([&] {
                  CDeflateCodec codec;
                  Expand(codec, truncated, static_cast<uint32_t>(packed.size()), size);
              }),
              kZLibBufferError);

    Bytes badTrailer = packed;
    badTrailer.back() ^= 0xFF; // Adler-32
    EXPECT_EQ(CauseOf<CZLibException>([&] {
                  CDeflateCodec codec;
                  Expand(codec, badTrailer, static_cast<uint32_t>(packed.size()), size + 1);
              }),
              kZLibDataError);

    Bytes notZlib(100, 0xFF);
    EXPECT_EQ(CauseOf<CZLibException>([&] {
                  CDeflateCodec codec;
                  Expand(codec, notZlib, 100, 100);
              }),
              kZLibDataError);
}

TEST(CheckZlibResult, MapsEveryResult) {
    EXPECT_NO_THROW(CheckZlibResult(Z_OK));
    EXPECT_NO_THROW(CheckZlibResult(Z_STREAM_END));
    EXPECT_EQ(CauseOf<CZLibException>([] { CheckZlibResult(Z_STREAM_ERROR); }), 2);
    EXPECT_EQ(CauseOf<CZLibException>([] { CheckZlibResult(Z_DATA_ERROR); }), 3);
    EXPECT_EQ(CauseOf<CZLibException>([] { CheckZlibResult(Z_BUF_ERROR); }), 4);
    EXPECT_EQ(CauseOf<CZLibException>([] { CheckZlibResult(Z_NEED_DICT); }), 1);
    EXPECT_EQ(CauseOf<CZLibException>([] { CheckZlibResult(Z_VERSION_ERROR); }), 1);
    EXPECT_THROW(CheckZlibResult(Z_MEM_ERROR), CMemoryException);
    EXPECT_THROW(CheckZlibResult(Z_ERRNO), CFileException);
}
