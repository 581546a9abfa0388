#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <optional>

class QPushButton;

namespace tavro {

// "Built by Vask Haldor", the name a link to the developer's site tagged with where it was clicked.
class BuiltByCredit : public QWidget
{
    Q_OBJECT
public:
    explicit BuiltByCredit(const QString& content, QWidget* parent = nullptr);

    // The developer's page with the campaign tags; none when the fixed address does not parse.
    static std::optional<QUrl> url(const QString& content);
    // The credit template split at "{0}": the text before the name and the text after it.
    static std::pair<QString, QString> split(const QString& credit);

    QString leadingText() const { return m_leading; }
    QPushButton* nameButton() const { return m_name; }

    static constexpr auto developerName = "Vask Haldor";

private:
    QString m_content;
    QString m_leading;
    QPushButton* m_name;
};

} // namespace tavro
