// The test checks the first limit at its edge and the second only far from
// it: a boundary moved in the first is caught, one moved in the second is not.
bool isAdult(int age)
{
    return age >= 18;
}

bool isSenior(int age)
{
    return age >= 65;
}
