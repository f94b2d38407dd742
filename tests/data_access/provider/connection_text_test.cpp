#include "data_access/provider/connection_text.h"

#include <gtest/gtest.h>

namespace dbAx::provider {
namespace {

struct GoodText {
    const char* text;
    const char* dataSource;
};

class ConnectionTextReads : public ::testing::TestWithParam<GoodText> {};

TEST_P(ConnectionTextReads, TheDataSource) {
    ConnectionSettings settings;
    std::string problem;
    ASSERT_TRUE(ParseConnectionText(GetParam().text, &settings, &problem)) << problem;
    EXPECT_EQ(settings.dataSource, GetParam().dataSource);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConnectionTextReads,
    ::testing::Values(GoodText{"Provider=IBMDA400;Data source=sqlite:/srv/db;", "sqlite:/srv/db"},
                      GoodText{"Provider=IBMDA400;Data source=S21PROD;", "S21PROD"},
                      GoodText{"PROVIDER=ibmda400;DATA SOURCE=S21PROD", "S21PROD"},
                      GoodText{"provider=IBMDA400 ; data Source =  sqlite:/a b ;", "sqlite:/a b"},
                      GoodText{"Data source=S21PROD;", "S21PROD"},
                      GoodText{"Provider=IBMDA400;Persist Security Info=False;Data source=S21PROD;;", "S21PROD"},
                      GoodText{"Provider=IBMDA400;Data source=first;Data source=second;", "second"},
                      GoodText{"Provider=IBMDA400;Data source=host=a=b;", "host=a=b"}));

struct BadText {
    const char* text;
    const char* problem;
};

class ConnectionTextRefuses : public ::testing::TestWithParam<BadText> {};

TEST_P(ConnectionTextRefuses, WithTheReason) {
    ConnectionSettings settings;
    std::string problem;
    EXPECT_FALSE(ParseConnectionText(GetParam().text, &settings, &problem));
    EXPECT_EQ(problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConnectionTextRefuses,
    ::testing::Values(
        BadText{"Provider=IBMDA400;", "The connection text names no data source (Data source=...)"},
        BadText{"", "The connection text names no data source (Data source=...)"},
        BadText{"Provider=IBMDA400;Data source= ;", "The connection text names no data source (Data source=...)"},
        BadText{"Provider=IBMDA400;Datasource=S21PROD;", "The connection text names no data source (Data source=...)"},
        BadText{"Provider=SQLOLEDB;Data source=S21PROD;",
                "The connection text names the provider 'SQLOLEDB'; this component provides only IBMDA400"},
        BadText{"Provider=IBMDA400;sqlite:/srv/db;",
                "The connection text is not a list of key=value pairs: 'sqlite:/srv/db' has no '='"}));

}  // namespace
}  // namespace dbAx::provider
