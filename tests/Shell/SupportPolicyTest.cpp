#include "Tavro/Shell/SupportPolicy.h"
#include "Tavro/Shell/AppVersion.h"

#include <gtest/gtest.h>

using namespace tavro;

namespace {

struct Ordering
{
    const char* lhs;
    const char* rhs;
    std::strong_ordering expected;
};

class VersionOrderTest : public ::testing::TestWithParam<Ordering>
{ };

TEST_P(VersionOrderTest, Compares)
{
    const Ordering& row = GetParam();
    EXPECT_TRUE(AppVersion::compare(row.lhs, row.rhs) == row.expected) << row.lhs << " vs " << row.rhs;
}

INSTANTIATE_TEST_SUITE_P(Table, VersionOrderTest,
    ::testing::Values(Ordering{"1.9", "1.9.0", std::strong_ordering::equal},
        Ordering{"1.9.0", "1.9.1", std::strong_ordering::less}, Ordering{"1.9.1", "1.10", std::strong_ordering::less},
        Ordering{"1.10", "1.9", std::strong_ordering::greater}, Ordering{"01.2", "1.2", std::strong_ordering::equal},
        Ordering{"0", "0.0.0.1", std::strong_ordering::less},
        // Either side unreadable: the same, so a broken version never asks for an update.
        Ordering{"1.2.3.4.5", "9", std::strong_ordering::equal},
        Ordering{"1.0", "2.0-beta", std::strong_ordering::equal},
        Ordering{"1.0", "9223372036854775808", std::strong_ordering::equal},
        Ordering{"9223372036854775807", "9223372036854775806.9", std::strong_ordering::greater}),
    [](const ::testing::TestParamInfo<Ordering>& info) { return "Row" + std::to_string(info.index); });

TEST(AppVersionTest, ReadsOnlyOneToFourPlainNumbers)
{
    EXPECT_EQ(AppVersion::components("1.9.1"), (QList<qint64>{1, 9, 1}));
    EXPECT_EQ(AppVersion::components("007"), (QList<qint64>{7}));
    EXPECT_EQ(AppVersion::components("1.2.3.4"), (QList<qint64>{1, 2, 3, 4}));
    EXPECT_EQ(AppVersion::components("9223372036854775807"), (QList<qint64>{9223372036854775807}));
    for (const char* unreadable : {"", "2.0-beta", "1..2", "+1", "-1", " 1", "1.", ".1", "1.2.3.4.5", "1,2", "v1",
             "9223372036854775808", "99999999999999999999", "\xd9\xa1"}) // the last is ARABIC-INDIC DIGIT ONE
        EXPECT_EQ(AppVersion::components(QString::fromUtf8(unreadable)), std::nullopt) << unreadable;
}

TEST(AppVersionTest, CurrentIsTheBuildsVersion)
{
    EXPECT_TRUE(AppVersion::components(AppVersion::current()).has_value()) << AppVersion::current().toStdString();
    EXPECT_NE(AppVersion::current(), QStringLiteral("0"));
}

TEST(SupportPolicyTest, DecodesOnlyAReadableMinimumVersion)
{
    const auto minimum = [](const QByteArray& json) -> std::optional<QString> {
        const std::optional<SupportPolicy> policy = SupportPolicy::decode(json);
        return policy ? std::optional(policy->minimumVersion) : std::nullopt;
    };
    EXPECT_EQ(minimum(R"({"minimumVersion": "1.9.1", "note": "other keys are ignored"})"), QStringLiteral("1.9.1"));
    EXPECT_EQ(minimum(R"({"minimumVersion": "2.0-beta"})"), std::nullopt);
    EXPECT_EQ(minimum(R"({"minimumVersion": 2})"), std::nullopt);
    EXPECT_EQ(minimum(R"({"minimum": "1.0"})"), std::nullopt);
    EXPECT_EQ(minimum(R"(["1.0"])"), std::nullopt);
    EXPECT_EQ(minimum("not json"), std::nullopt);
    EXPECT_EQ(minimum(""), std::nullopt);

    // Padding to exactly the limit is still a policy; one byte more is not.
    const QByteArray json = R"({"minimumVersion": "1.0"})";
    const QByteArray atLimit = json + QByteArray(SupportPolicy::kMaxBytes - json.size(), ' ');
    EXPECT_EQ(minimum(atLimit), QStringLiteral("1.0"));
    EXPECT_EQ(minimum(atLimit + ' '), std::nullopt);
}

TEST(SupportPolicyTest, AddressIsTheBuildsPolicyFile)
{
    EXPECT_EQ(SupportPolicy::url().scheme(), QStringLiteral("https"));
    EXPECT_TRUE(SupportPolicy::url().path().endsWith(QStringLiteral("/releases/support-policy.json")));
}

} // namespace
