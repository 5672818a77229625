#include "test_support.h"

std::vector<std::string> CompletedLog(int initial, int reduced) {
    return {"Comienzo de la Reduccion...",
            "Analizando columnas...",
            "Fin de analisis de Columnas.",
            "Buscando las reductoras...",
            "Reductoras Buscadas.",
            "Fin de la Reduccion.",
            "------------------------",
            "Columnas Iniciales: " + std::to_string(initial),
            "Columnas en la reducida: " + std::to_string(reduced),
            "*****----HECHO--------*****"};
}

std::vector<std::string> RandomColumns(std::mt19937& random, std::size_t count,
                                       const std::string& signs, int varying) {
    std::vector<std::string> columns(count, "11X1211X21X112");
    for (auto& column : columns) {
        for (int p = 0; p < varying; ++p) {
            column[static_cast<std::size_t>(p)] = signs[random() % signs.size()];
        }
    }
    return columns;
}
