// Stands for a module header of the same name.
