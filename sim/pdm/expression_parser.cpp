#include "sim/pdm/expression_parser.h"

#include <string>

namespace sim::pdm {
namespace {

bool isNameStart(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
bool isNameChar(char16_t c) {
    return isNameStart(c) || (c >= u'0' && c <= u'9');
}
bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
char16_t lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

class Parser {
  public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    Terms parseText() {
        Terms terms;
        std::u16string literal;
        while (!atEnd()) {
            const char16_t c = peek();
            const char16_t next = peek(1);
            if ((c == u'#' || c == u'@') && next == u'(') {
                flushLiteral(literal, terms);
                terms.push_back(parseForm());
            } else if (c == u'#' && isNameStart(next)) {
                flushLiteral(literal, terms);
                ++pos_;
                terms.push_back(fieldTerm(name()));
            } else {
                literal += c;
                ++pos_;
            }
        }
        flushLiteral(literal, terms);
        return terms;
    }

  private:
    // Depth of nested forms; guards the recursion.
    struct Nesting {
        explicit Nesting(Parser& p) : parser(p) {
            if (++parser.depth_ > kMaxExpressionDepth) {
                parser.fail("nested too deeply");
            }
        }
        ~Nesting() { --parser.depth_; }
        Parser& parser;
    };

    [[noreturn]] void fail(const std::string& what) const {
        throw ExpressionError(what + " at " + std::to_string(pos_), pos_);
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    char16_t peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : u'\0';
    }
    void skipSpace() {
        while (!atEnd() && isSpace(peek())) {
            ++pos_;
        }
    }
    void expect(char16_t c, const char* what) {
        if (peek() != c || atEnd()) {
            fail(std::string("expected ") + what);
        }
        ++pos_;
    }
    // Consumes keyword (any letter case) when it stands there as a whole word.
    bool keyword(std::u16string_view word) {
        if (text_.size() - pos_ < word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (lower(text_[pos_ + i]) != lower(word[i])) {
                return false;
            }
        }
        if (pos_ + word.size() < text_.size() && isNameChar(text_[pos_ + word.size()])) {
            return false;
        }
        pos_ += word.size();
        return true;
    }
    std::u16string name() {
        if (!isNameStart(peek()) || atEnd()) {
            fail("expected a name");
        }
        const std::size_t start = pos_;
        while (!atEnd() && isNameChar(peek())) {
            ++pos_;
        }
        return std::u16string(text_.substr(start, pos_ - start));
    }
    static void flushLiteral(std::u16string& literal, Terms& terms) {
        if (!literal.empty()) {
            Term t;
            t.text = std::move(literal);
            terms.push_back(std::move(t));
            literal.clear();
        }
    }
    static Term fieldTerm(std::u16string field) {
        Term t;
        t.kind = Term::Kind::kField;
        t.text = std::move(field);
        return t;
    }

    // 'text' with '' for one apostrophe; the opening apostrophe is next.
    std::u16string apostropheLiteral() {
        expect(u'\'', "'");
        std::u16string out;
        for (;;) {
            if (atEnd()) {
                fail("unterminated text");
            }
            const char16_t c = text_[pos_++];
            if (c == u'\'') {
                if (peek() == u'\'' && !atEnd()) {
                    ++pos_;
                } else {
                    return out;
                }
            }
            out += c;
        }
    }
    // "text" without escapes; the opening quote is next.
    std::u16string quotedLiteral() {
        expect(u'"', "\"");
        const std::size_t end = text_.find(u'"', pos_);
        if (end == std::u16string_view::npos) {
            fail("unterminated text");
        }
        std::u16string out(text_.substr(pos_, end - pos_));
        pos_ = end + 1;
        return out;
    }
    bool atTextLiteral() const {
        return peek() == u'\'' || peek() == u'"' || ((peek() == u'N') && peek(1) == u'\'');
    }
    std::u16string textLiteral() {
        if (peek() == u'"') {
            return quotedLiteral();
        }
        if (peek() == u'N') {
            ++pos_;
        }
        return apostropheLiteral();
    }

    Term parseForm() {
        Nesting nesting(*this);
        const char16_t sigil = peek();
        pos_ += 2;  // "#(" or "@("
        skipSpace();
        Term t = sigil == u'#' ? hashForm() : atForm();
        skipSpace();
        expect(u')', ")");
        return t;
    }

    Term hashForm() {
        Term t;
        if (keyword(u"where")) {
            t.kind = Term::Kind::kWhere;
            skipSpace();
            if (!keyword(u"db")) {
                fail("expected db=");
            }
            expect(u'=', "=");
            t.table = name();
            skipSpace();
            if (peek() == u'(' || isNameStart(peek())) {
                t.hasCondition = true;
                t.condition = peek() == u'(' ? group() : comparison();
            }
            t.result = resultTerms();
        } else if (keyword(u"Appl")) {
            t.kind = Term::Kind::kSetting;
            expect(u':', ":");
            t.text = name();
        } else if (keyword(u"HasPart")) {
            t.kind = Term::Kind::kHasPart;
        } else if (keyword(u"call")) {
            t.kind = Term::Kind::kCall;
            skipSpace();
            t.text = name();
            skipSpace();
            t.argument = quotedLiteral();
        } else {
            fail("unknown form");
        }
        return t;
    }

    Term atForm() {
        const std::size_t start = pos_;
        if (keyword(u"Where") && isSpace(peek())) {
            Term t;
            t.kind = Term::Kind::kWhere;
            skipSpace();
            t.table = quotedDatabase();
            skipSpace();
            std::vector<Condition> conditions;
            while (peek() == u'"' && !atEnd()) {
                conditions.push_back(quotedComparison());
                skipSpace();
            }
            if (conditions.size() == 1) {
                t.hasCondition = true;
                t.condition = std::move(conditions.front());
            } else if (conditions.size() > 1) {
                t.hasCondition = true;
                t.condition.kind = Condition::Kind::kAnd;
                t.condition.operands = std::move(conditions);
            }
            t.result = resultTerms();
            return t;
        }
        pos_ = start;  // a field that happens to be named Where
        Term t = fieldTerm(name());
        if (peek() == u':') {
            ++pos_;
            // ":t", the only format: the value as text.
            if (!keyword(u"t")) {
                fail("unknown format");
            }
        }
        return t;
    }

    std::u16string quotedDatabase() {
        const std::u16string inner = quotedLiteral();
        if (inner.size() < 4 || lower(inner[0]) != u'd' || lower(inner[1]) != u'b' ||
            inner[2] != u'=') {
            fail("expected \"db=...\"");
        }
        const std::u16string table = inner.substr(3);
        for (char16_t c : table) {
            if (!isNameChar(c)) {
                fail("bad table name");
            }
        }
        return table;
    }

    // "FIELD=rest": everything after the first = is the value, as it stands.
    Condition quotedComparison() {
        const std::u16string inner = quotedLiteral();
        const std::size_t equals = inner.find(u'=');
        if (equals == std::u16string::npos || equals == 0) {
            fail("expected \"FIELD=value\"");
        }
        Condition c;
        c.field = inner.substr(0, equals);
        for (char16_t ch : c.field) {
            if (!isNameChar(ch)) {
                fail("bad field name");
            }
        }
        c.value = inner.substr(equals + 1);
        return c;
    }

    Condition group() {
        Nesting nesting(*this);
        expect(u'(', "(");
        Condition all;
        all.kind = Condition::Kind::kAnd;
        for (;;) {
            skipSpace();
            all.operands.push_back(peek() == u'(' ? group() : comparison());
            skipSpace();
            if (peek() == u')') {
                ++pos_;
                break;
            }
            if (!keyword(u"AND")) {
                fail("expected AND or )");
            }
        }
        return all;
    }

    Condition comparison() {
        Condition c;
        c.field = name();
        skipSpace();
        expect(u'=', "=");
        skipSpace();
        if (atTextLiteral()) {
            c.value = textLiteral();
        } else if (peek() == u'#' && isNameStart(peek(1))) {
            ++pos_;
            c.valueIsReference = true;
            c.value = name();
        } else {
            const std::size_t start = pos_;
            while (!atEnd() && !isSpace(peek()) && peek() != u')' && peek() != u'(') {
                ++pos_;
            }
            if (pos_ == start) {
                fail("expected a value");
            }
            c.value = std::u16string(text_.substr(start, pos_ - start));
        }
        return c;
    }

    Terms resultTerms() {
        Terms terms;
        for (;;) {
            skipSpace();
            const char16_t c = peek();
            if (atEnd() || c == u')') {
                break;
            }
            if ((c == u'#' || c == u'@') && peek(1) == u'(') {
                terms.push_back(parseForm());
            } else if (c == u'#' && isNameStart(peek(1))) {
                ++pos_;
                terms.push_back(fieldTerm(name()));
            } else if (atTextLiteral()) {
                Term t;
                t.text = textLiteral();
                terms.push_back(std::move(t));
            } else {
                fail("expected a result expression");
            }
        }
        if (terms.empty()) {
            fail("expected a result expression");
        }
        return terms;
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

Terms parseExpression(std::u16string_view text) {
    return Parser(text).parseText();
}

}  // namespace sim::pdm
