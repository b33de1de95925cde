! The Fortran caller on Linux: calls the libraries linked at build time through the
! interfaces of bem_interface, with the arrays in Fortran order.
program fortran_caller
  use case_runner, only: run_cases
  implicit none

  call run_cases(call_library)

contains

  logical function call_library(library, opcao, ncont, npint, nelem, fator, emod, pois, &
      coord, tipo, inc, rigidez) result(found)
    use, intrinsic :: iso_c_binding, only: c_int, c_double
    use bem_interface, only: kelvin3d, mindlin3d, boussinesq_cerruti3d
    character(len=*), intent(in) :: library
    integer(c_int), intent(in) :: opcao, ncont, npint, nelem
    real(c_double), intent(inout) :: fator
    real(c_double), intent(in) :: emod, pois
    real(c_double), intent(in) :: coord(ncont + npint, 3)
    integer(c_int), intent(in) :: tipo(ncont + npint), inc(nelem, 3)
    real(c_double), intent(inout) :: rigidez(3 * (ncont + npint), 3 * (ncont + npint))

    found = .true.
    select case (library)
    case ('bemfull')
      call kelvin3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez)
    case ('bemdeep')
      call mindlin3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez)
    case ('bemsurf')
      call boussinesq_cerruti3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, &
          inc, rigidez)
    case default
      found = .false.
    end select
  end function call_library

end program fortran_caller
