#include "optimise/exhaustive_search.h"

#include <string>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The words of a code, or of the whole space, as strings of digits, to sweep literally.
std::vector<std::string> Texts(const TCode& code) {
    std::vector<std::string> texts;
    const auto length = static_cast<std::size_t>(code.Length());
    for (std::size_t w = 0; w < code.Size(); ++w) {
        std::string text;
        for (std::size_t p = 0; p < length; ++p) {
            text += static_cast<char>('0' + code.Words[w * length + p]);
        }
        texts.push_back(text);
    }
    return texts;
}

struct TKnownSmallest {
    int Triples;
    int Doubles;
    int Radius;
    std::size_t Size;
};

// Smallest sizes the published tables give as exact.
constexpr TKnownSmallest kPublished[] = {
    {3, 0, 1, 5},  {4, 0, 1, 9}, {4, 0, 2, 3}, {0, 4, 1, 4}, {0, 5, 1, 7},
    {0, 6, 1, 12}, {0, 7, 2, 7}, {0, 8, 3, 4}, {3, 0, 2, 3},
};

}  // namespace

TEST(exhaustive_search, finds_a_code_of_each_published_smallest_size_and_none_smaller) {
    for (const TKnownSmallest& known : kPublished) {
        SCOPED_TRACE(testing::Message() << known.Triples << " triples, " << known.Doubles
                                        << " doubles, radius " << known.Radius);
        const TExhaustiveLimits limits{10'000'000};
        const TExhaustiveResult found =
            SearchCodeOfSize(known.Triples, known.Doubles, known.Radius, known.Size, limits);
        ASSERT_EQ(found.Answer, TExhaustiveAnswer::Exists);
        EXPECT_LE(found.Code.Size(), known.Size);
        EXPECT_TRUE(LiterallyCovers(Texts(WholeSpace(known.Triples, known.Doubles)),
                                    Texts(found.Code), known.Radius));
        EXPECT_EQ(Texts(found.Code).front(),
                  std::string(static_cast<std::size_t>(known.Triples + known.Doubles), '0'));
        EXPECT_EQ(
            SearchCodeOfSize(known.Triples, known.Doubles, known.Radius, known.Size - 1, limits)
                .Answer,
            TExhaustiveAnswer::None);
    }
}

TEST(exhaustive_search, proves_the_cheaper_shapes_it_lists_in_exactly_their_nodes) {
    std::size_t proved = 0;
    for (const TProvenSmallest& shape : ProvenSmallestShapes()) {
        SCOPED_TRACE(testing::Message() << shape.Triples << " triples, " << shape.Doubles
                                        << " doubles, radius " << shape.Radius);
        EXPECT_GT(shape.Triples, 0);
        EXPECT_GT(shape.Doubles, 0);
        EXPECT_EQ(SmallestConstructionSize(shape.Triples, shape.Doubles, shape.Radius), shape.Size);
        EXPECT_EQ(ProvenSmallestSize(shape.Triples, shape.Doubles, shape.Radius), shape.Size);
        EXPECT_TRUE(KnownSmallest(shape.Triples, shape.Doubles, shape.Radius, shape.Size));
        EXPECT_FALSE(KnownSmallest(shape.Triples, shape.Doubles, shape.Radius, shape.Size + 1));
        if (shape.Nodes > 25'000) {
            continue;
        }
        const TExhaustiveResult result = SearchCodeOfSize(
            shape.Triples, shape.Doubles, shape.Radius, shape.Size - 1, {shape.Nodes});
        EXPECT_EQ(result.Answer, TExhaustiveAnswer::None);
        EXPECT_EQ(result.Nodes, shape.Nodes);
        ++proved;
    }
    EXPECT_GE(proved, 10u);
}

TEST(exhaustive_search, gives_up_undecided_after_its_nodes) {
    const TExhaustiveResult result = SearchCodeOfSize(0, 6, 1, 11, {1000});
    EXPECT_EQ(result.Answer, TExhaustiveAnswer::Undecided);
    EXPECT_EQ(result.Nodes, 1000u);
    EXPECT_EQ(result.Code.Size(), 0u);
}

TEST(exhaustive_search, refuses_shapes_it_cannot_search) {
    const std::string message =
        "exhaustive search needs a shape of 1 to 14 positions and at most 8192 words, a radius "
        "of 0 to 3 and a size of 1 or more";
    EXPECT_THROW_MSG(SearchCodeOfSize(0, 0, 1, 1, {}), std::invalid_argument, message);
    EXPECT_THROW_MSG(SearchCodeOfSize(9, 0, 1, 1500, {}), std::invalid_argument, message);
    EXPECT_THROW_MSG(SearchCodeOfSize(2, 2, 4, 1, {}), std::invalid_argument, message);
    EXPECT_THROW_MSG(SearchCodeOfSize(2, 2, 1, 0, {}), std::invalid_argument, message);
    EXPECT_THROW_MSG(SearchCodeOfSize(-1, 3, 1, 1, {}), std::invalid_argument, message);
}

}  // namespace kelvo
