#include "console/reports/definition.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace report {

namespace {

const QRegularExpression& identifier()
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern;
}

// One line's words: key=value pairs (a value may stand in double quotes,
// a quote doubled inside), bare words, and quoted texts.
struct Word
{
    QString key;      // empty for a bare word or a quoted text
    QString value;
    bool quoted = false;
};

std::optional<QList<Word>> splitWords(const QString& line)
{
    QList<Word> words;
    qsizetype pos = 0;
    auto readQuoted = [&](QString& out) {
        ++pos;   // the opening quote
        while (pos < line.size()) {
            if (line.at(pos) == u'"') {
                if (pos + 1 < line.size() && line.at(pos + 1) == u'"') {
                    out.append(u'"');
                    pos += 2;
                    continue;
                }
                ++pos;
                return true;
            }
            out.append(line.at(pos++));
        }
        return false;
    };
    while (true) {
        while (pos < line.size() && line.at(pos).isSpace())
            ++pos;
        if (pos >= line.size())
            return words;
        Word word;
        if (line.at(pos) == u'"') {
            word.quoted = true;
            if (!readQuoted(word.value))
                return std::nullopt;
        } else {
            QString bare;
            while (pos < line.size() && !line.at(pos).isSpace() && line.at(pos) != u'=')
                bare.append(line.at(pos++));
            if (pos < line.size() && line.at(pos) == u'=') {
                ++pos;
                word.key = bare.toLower();
                if (pos < line.size() && line.at(pos) == u'"') {
                    word.quoted = true;
                    if (!readQuoted(word.value))
                        return std::nullopt;
                } else {
                    while (pos < line.size() && !line.at(pos).isSpace())
                        word.value.append(line.at(pos++));
                }
            } else {
                word.value = bare;
            }
        }
        words.append(word);
    }
}

class Reader
{
public:
    explicit Reader(const QString& file) : m_file(file) { m_def.file = file; }

    Result<Definition> read(const QString& text)
    {
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            QString line = lines.at(i);
            if (line.endsWith(u'\r'))
                line.chop(1);
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(u'#'))
                continue;
            if (trimmed.startsWith(u'[')) {
                if (auto opened = openSection(trimmed); !opened)
                    return opened.failure();
                continue;
            }
            if (auto taken = take(line, trimmed); !taken)
                return taken.failure();
        }
        m_line = 0;
        return finish();
    }

private:
    enum class Section { None, Report, Formulas, Query, Band };

    Failure fault(const QString& why) const
    {
        if (m_line > 0)
            return Failure{QString(), QStringLiteral("%1, linha %2: %3").arg(m_file).arg(m_line).arg(why)};
        return Failure{QString(), QStringLiteral("%1: %2").arg(m_file, why)};
    }

    Result<void> openSection(const QString& header)
    {
        if (!header.endsWith(u']'))
            return fault(QStringLiteral("falta o \"]\" do título da seção"));
        const QStringList parts = header.mid(1, header.size() - 2).simplified().split(u' ', Qt::SkipEmptyParts);
        const QString name = parts.value(0).toLower();
        const QString argument = parts.value(1);
        if (parts.size() > 2)
            return fault(QStringLiteral("seção \"%1\" com palavras demais").arg(header));
        m_query = nullptr;
        m_band = nullptr;
        if (name == u"report" && parts.size() == 1) {
            m_section = Section::Report;
            return {};
        }
        if (name == u"formulas" && parts.size() == 1) {
            m_section = Section::Formulas;
            return {};
        }
        if (name == u"query") {
            if (!argument.isEmpty() && !identifier().match(argument).hasMatch())
                return fault(QStringLiteral("nome de consulta inválido \"%1\"").arg(argument));
            const bool exists = argument.isEmpty() ? m_hasMain : m_def.query(argument) != nullptr;
            if (exists)
                return fault(QStringLiteral("a consulta %1 aparece duas vezes")
                                 .arg(argument.isEmpty() ? QStringLiteral("principal") : argument));
            if (argument.isEmpty()) {
                m_hasMain = true;
                m_query = &m_def.main;
            } else {
                m_def.queries.append(Query{argument, QString(), m_line});
                m_query = &m_def.queries.last();
            }
            m_query->line = m_line;
            m_section = Section::Query;
            return {};
        }
        static const QList<std::pair<QString, Band::Kind>> kinds = {
            {QStringLiteral("title"), Band::Kind::Title},
            {QStringLiteral("page-header"), Band::Kind::PageHeader},
            {QStringLiteral("group-header"), Band::Kind::GroupHeader},
            {QStringLiteral("detail"), Band::Kind::Detail},
            {QStringLiteral("group-footer"), Band::Kind::GroupFooter},
            {QStringLiteral("summary"), Band::Kind::Summary},
            {QStringLiteral("page-footer"), Band::Kind::PageFooter},
        };
        for (const auto& [word, kind] : kinds) {
            if (name != word)
                continue;
            const bool grouped = kind == Band::Kind::GroupHeader || kind == Band::Kind::GroupFooter;
            if (grouped != !argument.isEmpty())
                return fault(grouped ? QStringLiteral("[%1] precisa da coluna do grupo: [%1 coluna]").arg(word)
                                     : QStringLiteral("[%1] não leva outra palavra").arg(word));
            if (grouped && !identifier().match(argument).hasMatch())
                return fault(QStringLiteral("coluna de grupo inválida \"%1\"").arg(argument));
            const QString group = argument.toLower();
            if (m_def.band(kind, group))
                return fault(QStringLiteral("a seção [%1] aparece duas vezes").arg(header.mid(1, header.size() - 2)));
            if (grouped && !m_def.groups.contains(group))
                m_def.groups.append(group);
            Band band;
            band.kind = kind;
            band.group = group;
            band.line = m_line;
            m_def.bands.append(band);
            m_band = &m_def.bands.last();
            m_section = Section::Band;
            return {};
        }
        return fault(QStringLiteral("seção desconhecida %1").arg(header));
    }

    Result<void> take(const QString& line, const QString& trimmed)
    {
        switch (m_section) {
        case Section::Query:
            // The statement as written, blank lines included (trimmed at the end).
            m_query->sql += line + u'\n';
            return {};
        case Section::None:
            if (trimmed.isEmpty())
                return {};
            return fault(QStringLiteral("texto antes da primeira seção"));
        case Section::Formulas:
            if (trimmed.isEmpty())
                return {};
            if (!identifier().match(trimmed).hasMatch())
                return fault(QStringLiteral("nome de fórmula inválido \"%1\"").arg(trimmed));
            if (m_def.formulas.contains(trimmed))
                return fault(QStringLiteral("a fórmula %1 aparece duas vezes").arg(trimmed));
            m_def.formulas.append(trimmed);
            return {};
        case Section::Report:
            if (trimmed.isEmpty())
                return {};
            return reportSetting(trimmed);
        case Section::Band:
            if (trimmed.isEmpty())
                return {};
            return bandLine(trimmed);
        }
        return {};
    }

    std::optional<double> number(const QString& text) const
    {
        bool ok = false;
        const double value = text.toDouble(&ok);
        return ok && value >= 0 && value < 10000 ? std::optional<double>(value) : std::nullopt;
    }

    Result<void> reportSetting(const QString& trimmed)
    {
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals < 0)
            return fault(QStringLiteral("escreva chave = valor"));
        const QString key = trimmed.left(equals).trimmed().toLower();
        const QString value = trimmed.mid(equals + 1).trimmed();
        const QStringList words = value.split(u' ', Qt::SkipEmptyParts);
        if (key == u"title") {
            m_def.title = value;
        } else if (key == u"page") {
            static const QList<std::pair<QString, QPageSize::PageSizeId>> sizes = {
                {QStringLiteral("a4"), QPageSize::A4}, {QStringLiteral("a5"), QPageSize::A5},
                {QStringLiteral("a3"), QPageSize::A3}, {QStringLiteral("letter"), QPageSize::Letter},
                {QStringLiteral("legal"), QPageSize::Legal}};
            bool known = false;
            for (const auto& [name, id] : sizes) {
                if (words.value(0).toLower() == name) {
                    m_def.pageSize = QPageSize(id);
                    known = true;
                }
            }
            const QString orientation = words.value(1, QStringLiteral("portrait")).toLower();
            if (!known || words.size() > 2 || (orientation != u"portrait" && orientation != u"landscape"))
                return fault(QStringLiteral("página inválida \"%1\" (escreva, por exemplo, A4 portrait)").arg(value));
            m_def.orientation = orientation == u"landscape" ? QPageLayout::Landscape : QPageLayout::Portrait;
        } else if (key == u"margins") {
            QList<double> mm;
            for (const QString& word : words) {
                if (auto n = number(word))
                    mm.append(*n);
            }
            if (mm.size() != 4 || words.size() != 4)
                return fault(QStringLiteral("margens inválidas \"%1\" (quatro medidas em mm: esquerda topo direita base)").arg(value));
            m_def.margins = QMarginsF(mm[0], mm[1], mm[2], mm[3]);
        } else if (key == u"font") {
            const auto size = number(words.value(words.size() - 1));
            if (words.size() < 2 || !size || *size < 4)
                return fault(QStringLiteral("fonte inválida \"%1\" (escreva a família e o tamanho)").arg(value));
            m_def.fontFamily = QStringList(words.mid(0, words.size() - 1)).join(u' ');
            m_def.fontSize = *size;
        } else {
            return fault(QStringLiteral("chave desconhecida \"%1\"").arg(key));
        }
        return {};
    }

    Result<void> bandLine(const QString& trimmed)
    {
        const auto words = splitWords(trimmed);
        if (!words || words->isEmpty())
            return fault(QStringLiteral("aspas sem fechamento"));
        const qsizetype equals = trimmed.indexOf(u'=');
        // "height = 6" and "stripe = #f2f2f2" are the band's own settings.
        const QString key = equals > 0 ? trimmed.left(equals).trimmed().toLower() : QString();
        if (key == u"height" || key == u"stripe") {
            const QString value = trimmed.mid(equals + 1).trimmed();
            if (key == u"height") {
                const auto h = number(value);
                if (!h)
                    return fault(QStringLiteral("altura inválida \"%1\"").arg(value));
                m_band->height = *h;
                return {};
            }
            if (key == u"stripe") {
                const QColor color = QColor::fromString(value);
                if (!color.isValid() || m_band->kind != Band::Kind::Detail)
                    return fault(QStringLiteral("stripe vale só no [detail], com uma cor como #f2f2f2"));
                m_band->stripe = color;
                return {};
            }
        }
        return element(*words);
    }

    Result<void> element(const QList<Word>& words)
    {
        Element e;
        e.line = m_line;
        const QString kind = words.first().value.toLower();
        if (!words.first().key.isEmpty() || words.first().quoted)
            return fault(QStringLiteral("a linha deveria começar por text, line, box, chart, height ou stripe"));
        if (kind == u"text")
            e.kind = Element::Kind::Text;
        else if (kind == u"line")
            e.kind = Element::Kind::Line;
        else if (kind == u"box")
            e.kind = Element::Kind::Box;
        else if (kind == u"chart")
            e.kind = Element::Kind::Chart;
        else
            return fault(QStringLiteral("elemento desconhecido \"%1\" (text, line, box ou chart)").arg(words.first().value));

        bool hasContent = false;
        for (int i = 1; i < words.size(); ++i) {
            const Word& w = words.at(i);
            if (w.key.isEmpty() && w.quoted) {
                if (e.kind != Element::Kind::Text || hasContent)
                    return fault(QStringLiteral("texto entre aspas fora do lugar: \"%1\"").arg(w.value));
                e.text = w.value;
                hasContent = true;
                continue;
            }
            if (auto set = attribute(e, w); !set)
                return set;
        }
        if (e.kind == Element::Kind::Text && !hasContent)
            return fault(QStringLiteral("text sem o seu conteúdo entre aspas"));
        if (e.kind == Element::Kind::Chart) {
            if (e.query.isEmpty() || e.label.isEmpty() || e.values.isEmpty())
                return fault(QStringLiteral("chart precisa de query=, label= e values="));
            if (!e.legend.isEmpty() && e.legend.size() != e.values.size())
                return fault(QStringLiteral("legend= deve ter um nome para cada coluna de values="));
        }
        m_band->elements.append(e);
        return {};
    }

    Result<void> attribute(Element& e, const Word& w)
    {
        const QString& v = w.value;
        auto measure = [&](double& target) -> Result<void> {
            const auto n = number(v);
            if (!n)
                return fault(QStringLiteral("medida inválida %1=%2 (milímetros, com ponto decimal)").arg(w.key, v));
            target = *n;
            return {};
        };
        auto colour = [&](QColor& target) -> Result<void> {
            target = QColor::fromString(v);
            if (!target.isValid())
                return fault(QStringLiteral("cor inválida %1=%2").arg(w.key, v));
            return {};
        };
        const bool text = e.kind == Element::Kind::Text;
        const bool chart = e.kind == Element::Kind::Chart;
        if (w.key.isEmpty() && text && (v == u"bold" || v == u"italic")) {
            (v == u"bold" ? e.bold : e.italic) = true;
            return {};
        }
        if (w.key == u"x")
            return measure(e.x);
        if (w.key == u"y")
            return measure(e.y);
        if (w.key == u"w")
            return measure(e.w);
        if (w.key == u"h")
            return measure(e.h);
        if (w.key == u"color" && !chart)
            return colour(e.color);
        if (text && w.key == u"size") {
            if (auto n = number(v); n && *n >= 4 && *n <= 72) {
                e.size = *n;
                return {};
            }
            return fault(QStringLiteral("tamanho de fonte inválido size=%1").arg(v));
        }
        if (text && w.key == u"align") {
            if (v == u"left" || v == u"center" || v == u"right") {
                e.align = v == u"left" ? Align::Left : v == u"center" ? Align::Center : Align::Right;
                return {};
            }
            return fault(QStringLiteral("alinhamento inválido align=%1 (left, center ou right)").arg(v));
        }
        if (!text && !chart && w.key == u"thickness")
            return measure(e.thickness);
        if (e.kind == Element::Kind::Box && w.key == u"fill")
            return colour(e.fill);
        if (chart) {
            const QStringList list = v.split(u',', Qt::SkipEmptyParts);
            if (w.key == u"query") {
                e.query = v;
                return {};
            }
            if (w.key == u"label") {
                e.label = v.toLower();
                return {};
            }
            if (w.key == u"values") {
                for (const QString& column : list)
                    e.values.append(column.trimmed().toLower());
                return {};
            }
            if (w.key == u"legend") {
                for (const QString& name : list)
                    e.legend.append(name.trimmed());
                return {};
            }
            if (w.key == u"colors") {
                for (const QString& name : list) {
                    const QColor c = QColor::fromString(name.trimmed());
                    if (!c.isValid())
                        return fault(QStringLiteral("cor inválida \"%1\" em colors=").arg(name));
                    e.colors.append(c);
                }
                return {};
            }
            if (w.key == u"hours") {
                static const QRegularExpression field(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*\\.[A-Za-z_][A-Za-z0-9_]*$"));
                if (!field.match(v).hasMatch())
                    return fault(QStringLiteral("hours= deve nomear um campo tabela.coluna"));
                e.hours = v.toLower();
                return {};
            }
            if (w.key == u"title") {
                e.title = v;
                return {};
            }
        }
        if (w.key.isEmpty())
            return fault(QStringLiteral("palavra inesperada \"%1\"").arg(v));
        return fault(QStringLiteral("atributo desconhecido %1= neste elemento").arg(w.key));
    }

    Result<Definition> finish()
    {
        if (!m_hasMain || m_def.main.sql.trimmed().isEmpty())
            return fault(QStringLiteral("falta a seção [query] com a consulta do relatório"));
        m_def.main.sql = m_def.main.sql.trimmed();
        for (Query& query : m_def.queries) {
            query.sql = query.sql.trimmed();
            if (query.sql.isEmpty())
                return fault(QStringLiteral("a consulta %1 está vazia").arg(query.name));
        }
        for (const Band& band : m_def.bands) {
            if (!band.elements.isEmpty() && band.height <= 0) {
                m_line = band.line;
                return fault(QStringLiteral("a seção precisa de height = altura em mm"));
            }
            for (const Element& e : band.elements) {
                if (e.kind == Element::Kind::Chart && !m_def.query(e.query)) {
                    m_line = e.line;
                    return fault(QStringLiteral("o gráfico usa a consulta %1, que não existe").arg(e.query));
                }
            }
        }
        const QSizeF page = m_def.pageMillimetres();
        if (m_def.margins.left() + m_def.margins.right() >= page.width() - 20
            || m_def.margins.top() + m_def.margins.bottom() >= page.height() - 20)
            return fault(QStringLiteral("as margens não deixam espaço na página"));
        if (m_def.title.isEmpty())
            m_def.title = QFileInfo(m_file).baseName();
        return m_def;
    }

    QString m_file;
    Definition m_def;
    Section m_section = Section::None;
    Query* m_query = nullptr;
    Band* m_band = nullptr;
    bool m_hasMain = false;
    int m_line = 0;
};

} // namespace

const Band* Definition::band(Band::Kind kind, const QString& group) const
{
    for (const Band& b : bands) {
        if (b.kind == kind && b.group == group)
            return &b;
    }
    return nullptr;
}

const Query* Definition::query(const QString& name) const
{
    for (const Query& q : queries) {
        if (q.name.compare(name, Qt::CaseInsensitive) == 0)
            return &q;
    }
    return nullptr;
}

QSizeF Definition::pageMillimetres() const
{
    const QSizeF size = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

Result<Definition> parseDefinition(const QString& text, const QString& file)
{
    return Reader(file).read(text);
}

Result<Definition> readDefinition(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Failure{QString(), QStringLiteral("O arquivo do relatório %1 não foi encontrado.").arg(path)};
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QString(), QStringLiteral("O arquivo do relatório %1 não pôde ser lido: %2.")
                                      .arg(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{QString(), QStringLiteral("O arquivo do relatório %1 não pôde ser lido: %2.")
                                      .arg(path, file.errorString())};
    // UTF-8 as an editor writes it today; a Latin-1 file, as the rest of the
    // system's text files, reads too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return parseDefinition(text, path);
}

} // namespace report
