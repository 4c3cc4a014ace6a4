#include "category.h"

namespace data {

QStringList Category::defaultSql() const
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM %1;").arg(table)};
}

QString Category::footnoteView() const
{
    return key == QLatin1String("kolliyat") ? QStringLiteral("Memomankolliyat") : QStringLiteral("Memoma") + key;
}

const QList<Category> &categories()
{
    static const QList<Category> rows = {
        {QStringLiteral("kolliyat"), QStringLiteral("kolliyat"), QStringLiteral("Qkolliyat"), QStringLiteral("ADOTable1"),
         QStringLiteral("DataSource1"), QStringLiteral("Qkolliyat"), QStringLiteral("Dqkolliyat"), QStringLiteral("Label1"),
         QStringLiteral("مقدمات"), 107, QStringLiteral("FindDialog1"), QStringLiteral("FontDialog1")},
        {QStringLiteral("moghadamat"), QStringLiteral("moghadamat"), QStringLiteral("Qmoghadamat"), QStringLiteral("ADOTable2"),
         QStringLiteral("DataSource2"), QStringLiteral("Qmoghadamat"), QStringLiteral("Dmoghadamat"), QStringLiteral("Label3"),
         QStringLiteral("احکام تلاوت قرآن"), 142, QStringLiteral("FindDialog3"), QStringLiteral("FontDialog2")},
        {QStringLiteral("vajeb"), QStringLiteral("vajeb"), QStringLiteral("Qvajeb"), QStringLiteral("ADOTable3"),
         QStringLiteral("DataSource3"), QStringLiteral("Qvajeb"), QStringLiteral("Dvajeb"), QStringLiteral("Label6"),
         QStringLiteral("کيفيت قرائت قرآن"), 176, QStringLiteral("FindDialog5"), QStringLiteral("FontDialog3")},
        {QStringLiteral("mostahab"), QStringLiteral("mostahab"), QStringLiteral("Qmostahab"), QStringLiteral("ADOTable4"),
         QStringLiteral("DataSource4"), QStringLiteral("Qmostahab"), QStringLiteral("Dmostahab"), QStringLiteral("Label4"),
         QStringLiteral("آيين نامه مسابقات قرآن"), 210, QStringLiteral("FindDialog2"), QStringLiteral("FontDialog4")},
        {QStringLiteral("namaz"), QStringLiteral("gheraat"), QStringLiteral("Qgheraat"), QStringLiteral("ADOTable5"),
         QStringLiteral("DataSource5"), QStringLiteral("Qnamaz"), QStringLiteral("Dnamaz"), QStringLiteral("Label5"),
         QStringLiteral("معرفي قاريان و حافظان"), 243, QStringLiteral("FindDialog4"), QStringLiteral("FontDialog5")},
        {QStringLiteral("motefar"), QStringLiteral("motefareghe"), QStringLiteral("Qmotefar"), QStringLiteral("ADOTable6"),
         QStringLiteral("DataSource6"), QStringLiteral("Qmotefar"), QStringLiteral("Dmotefar"), QStringLiteral("Label7"),
         QStringLiteral("معرفي مراکز آموزشي"), 277, QStringLiteral("FindDialog6"), QStringLiteral("FontDialog6")},
        {QStringLiteral("tovrin"), QStringLiteral("varostel"), QStringLiteral("Qvarostel"), QStringLiteral("ADOTable7"),
         QStringLiteral("DataSource7"), QStringLiteral("qtovrin"), QStringLiteral("Dqtovrin"), QString(), QString(), -1, QString(),
         QStringLiteral("FontDialog7")},
    };
    return rows;
}

const Category *categoryByKey(const QString &key)
{
    for (const Category &c : categories()) {
        if (c.key == key)
            return &c;
    }
    return nullptr;
}

} // namespace data
