// The signature rules: the strict text forms, and CNG's verdict on a
// manifest's bytes against the keys, for each way a download can differ
// from what the publisher signed.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "install_folder.h"
#include "offer.h"
#include "offer_builder.h"
#include "signature.h"
#include "signature_text.h"
#include "signing_fixtures.h"
#include "test_signer.h"
#include "update_keys.h"

namespace btest {
namespace {

using brisvane::SignatureCheck;

TEST(SignatureText, Base64IsDecodedStrictly) {
    // Every length, so that each padding case occurs, against the platform's encoder.
    std::string bytes;
    for (int length = 0; length < 70; ++length) {
        std::string decoded = "(untouched)";
        ASSERT_TRUE(brisvane::DecodeBase64(Base64(bytes), &decoded)) << length;
        EXPECT_EQ(bytes, decoded) << length;
        bytes += static_cast<char>(length * 37 + 200);
    }
    struct Case {
        std::string text;
        const char* bytes;  // null: refused
    } cases[] = {
        {"", ""},
        {"TWFu", "Man"},
        {"TWE=", "Ma"},
        {"TQ==", "M"},
        {"TWE", nullptr},        // not padded
        {"TQ=", nullptr},
        {"TQ===", nullptr},
        {"T===", nullptr},        // three padding characters
        {"TR==", nullptr},        // padding bits set: a second text for "M"
        {"TWF=", nullptr},
        {"TQ==TWFu", nullptr},    // padding inside
        {"TW-u", nullptr},        // the URL-safe alphabet
        {"TW_u", nullptr},
        {"TW u", nullptr},
        {"TWFu\n", nullptr},
        {std::string("TW\0u", 4), nullptr},
    };
    for (const Case& c : cases) {
        std::string decoded;
        EXPECT_EQ(c.bytes != nullptr, brisvane::DecodeBase64(c.text, &decoded)) << c.text;
        if (c.bytes) {
            EXPECT_EQ(c.bytes, decoded) << c.text;
        }
    }
}

TEST(SignatureText, ASignatureFileIs64BytesAndAtMostLineEnds) {
    const std::string good = Base64(std::string(64, '\x5a'));
    struct Case {
        std::string text;
        bool accepted;
    } cases[] = {
        {good, true},
        {good + "\n", true},
        {good + "\r\n", true},
        {good + "\n\n", true},
        {good + " ", false},
        {" " + good, false},
        {good + "\nmore", false},
        {good.substr(0, 44), false},
        {Base64(std::string(63, 'a')), false},
        {Base64(std::string(65, 'a')), false},
        {"", false},
        {"\r\n", false},
    };
    for (const Case& c : cases) {
        std::string signature;
        EXPECT_EQ(c.accepted, brisvane::ReadSignatureText(c.text, &signature)) << c.text;
        if (c.accepted) {
            EXPECT_EQ(std::string(64, '\x5a'), signature);
        }
    }
}

TEST(Signature, OnlyTheExactBytesSignedByAHeldKeyPass) {
    const TestSigner publisher, rotated, stranger;
    ASSERT_TRUE(publisher.ok() && rotated.ok() && stranger.ok());
    const std::string manifest = "<manifest><release version=\"2\" serial=\"3\"/></manifest>\n";
    const std::vector<std::string> held = {publisher.PublicKey()};
    const std::vector<std::string> rotation = {publisher.PublicKey(), rotated.PublicKey()};

    std::string changedManifest = manifest;
    changedManifest[30] ^= 1;
    std::string changedSignature = publisher.SignatureBytes(manifest);
    changedSignature[40] ^= 0x10;
    const std::string good = publisher.Signature(manifest);
    std::string badCharacter = good;
    badCharacter[10] = '*';

    struct Case {
        const char* what;
        std::string bytes;
        std::string signature;
        std::vector<std::string> keys;
        SignatureCheck verdict;
    } cases[] = {
        {"good", manifest, good, held, SignatureCheck::kValid},
        {"no line end", manifest, Base64(publisher.SignatureBytes(manifest)), held, SignatureCheck::kValid},
        {"one manifest byte changed", changedManifest, good, held, SignatureCheck::kInvalid},
        {"one signature byte changed", manifest, Base64(changedSignature), held, SignatureCheck::kInvalid},
        {"another key", manifest, stranger.Signature(manifest), held, SignatureCheck::kInvalid},
        {"the second key of a rotation", manifest, rotated.Signature(manifest), rotation, SignatureCheck::kValid},
        {"the first key of a rotation", manifest, good, rotation, SignatureCheck::kValid},
        {"missing", manifest, "", held, SignatureCheck::kMalformed},
        {"truncated", manifest, good.substr(0, 60), held, SignatureCheck::kMalformed},
        {"malformed base64", manifest, badCharacter, held, SignatureCheck::kMalformed},
        {"an unusable key first", manifest, good, {std::string(64, '\x01'), publisher.PublicKey()},
         SignatureCheck::kValid},
        {"no keys at all", manifest, good, {}, SignatureCheck::kInvalid},
    };
    for (const Case& c : cases) EXPECT_EQ(c.verdict, brisvane::CheckSignature(c.bytes, c.signature, c.keys)) << c.what;
}

// The demo key pair and the key file agree, and what the publisher's tool
// writes is what the updater reads and verifies.
TEST(Signature, TheBuiltInKeyVerifiesThePublishersTool) {
    const std::vector<std::string> keys = brisvane::BuiltInUpdateKeys();
    ASSERT_FALSE(keys.empty());
    ASSERT_TRUE(DemoSigner().ok());
    EXPECT_EQ(keys[0], DemoSigner().PublicKey());
    const std::string manifest = "<manifest/>";
    EXPECT_EQ(SignatureCheck::kValid, brisvane::CheckSignature(manifest, DemoSigner().Signature(manifest), keys));

    EXPECT_EQ(SignatureCheck::kValid, brisvane::CheckSignature(kToolManifest, kToolSignature, keys));
    TiXmlDocument parsed;
    parsed.Parse(kToolManifest);
    zarnel::Offer offer;
    std::string why;
    ASSERT_TRUE(zarnel::ReadOffer(parsed, zarnel::InstallFolderLength(), &offer, &why)) << why << kToolManifest;
    EXPECT_EQ("2.0", offer.version);
    EXPECT_EQ(7u, offer.serial);
    ASSERT_EQ(2u, offer.files.size());
    EXPECT_EQ("", offer.files[0].path);
    EXPECT_EQ("Vorn_Login.exe", offer.files[0].name);
    EXPECT_TRUE(offer.files[0].registered);
    EXPECT_EQ(13u, offer.files[0].size);
    EXPECT_EQ(Sha256Hex(std::string("program\0bytes", 13)), offer.files[0].sha256);
    EXPECT_EQ("data\\", offer.files[1].path);
    EXPECT_EQ("pack one.dat", offer.files[1].name);
    EXPECT_EQ("files/data/pack%20one.dat", offer.files[1].url);
    EXPECT_FALSE(offer.files[1].registered);
}

}  // namespace
}  // namespace btest
