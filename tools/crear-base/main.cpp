// Creates an empty client database from a schema file: tarsa-crear-base schema.sql TarsaCliente.mdb
#include <SQLiteCpp/SQLiteCpp.h>

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarsa-crear-base schema.sql database\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream sql;
    sql << in.rdbuf();
    try {
        SQLite::Database db(argv[2], SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(sql.str());
    } catch (const std::exception& e) {
        std::cerr << argv[2] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
