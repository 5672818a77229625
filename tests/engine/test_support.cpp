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
